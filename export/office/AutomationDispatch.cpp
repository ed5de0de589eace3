#include "export/office/AutomationDispatch.h"

AutomationDispatch::~AutomationDispatch() = default;

bool AutomationDispatch::isAvailable(QString *) const
{
    return true;
}

AutomationReply AutomationDispatch::query(const QString &, const QVariantList &)
{
    return AutomationReply::unknown();
}

AutomationReply AutomationDispatch::call(const QString &, const QVariantList &)
{
    return AutomationReply::unknown();
}

AutomationReply AutomationDispatch::property(const QString &) const
{
    return AutomationReply::unknown();
}

AutomationReply AutomationDispatch::setProperty(const QString &, const QVariant &)
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
