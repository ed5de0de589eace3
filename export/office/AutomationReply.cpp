#include "export/office/AutomationReply.h"

AutomationReply::AutomationReply(Outcome_e outcome) : m_outcome(outcome) {}

AutomationReply AutomationReply::done(const QVariant &value)
{
    AutomationReply reply(Done);
    reply.m_value = value;
    return reply;
}

AutomationReply AutomationReply::object(AutomationDispatchPtr object)
{
    AutomationReply reply(Done);
    reply.m_object = std::move(object);
    return reply;
}

AutomationReply AutomationReply::failed(const QString &reason)
{
    AutomationReply reply(Failed);
    reply.m_reason = reason;
    return reply;
}

AutomationReply AutomationReply::unknown()
{
    return AutomationReply(Unknown);
}
