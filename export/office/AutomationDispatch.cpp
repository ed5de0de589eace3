#include "export/office/AutomationDispatch.h"

AutomationDispatch::~AutomationDispatch() = default;

bool AutomationDispatch::isAvailable(QString *) const
{
    return true;
}

AutomationReply AutomationDispatch::query(QLatin1String, const AutomationArguments &)
{
    return AutomationReply::unknown();
}

AutomationReply AutomationDispatch::call(QLatin1String, const AutomationArguments &)
{
    return AutomationReply::unknown();
}

AutomationReply AutomationDispatch::property(QLatin1String) const
{
    return AutomationReply::unknown();
}

AutomationReply AutomationDispatch::setProperty(QLatin1String, const QVariant &)
{
    return AutomationReply::unknown();
}

QVariant AutomationDispatch::toVariant(const AutomationDispatchPtr &object)
{
    return QVariant::fromValue(object);
}

AutomationDispatchPtr AutomationDispatch::fromVariant(const QVariant &value)
{
    return value.canConvert<AutomationDispatchPtr>() ? value.value<AutomationDispatchPtr>()
                                                     : nullptr;
}
