#include "export/office/AutomationObject.h"

#include "export/office/AutomationDispatch.h"
#include "export/office/OfficeServers.h"

#include <QDebug>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

// Number of parameters in a call string: "Name(a, b)" has two, "Name()" and
// "Name(void)" none; a plain property name has -1.
int parameterCount(const char *member)
{
    const char *open = std::strchr(member, '(');
    if (!open)
        return -1;
    const char *close = std::strrchr(open, ')');
    const char *end = close ? close : open + std::strlen(open);
    const char *first = open + 1;
    while (first < end && std::isspace(static_cast<unsigned char>(*first)))
        ++first;
    const char *last = end;
    while (last > first && std::isspace(static_cast<unsigned char>(last[-1])))
        --last;
    if (first == last || (last - first == 4 && std::strncmp(first, "void", 4) == 0))
        return 0;
    return static_cast<int>(std::count(first, last, ',')) + 1;
}

// The arguments that the call string declares; for a plain property name,
// those given up to the first invalid one.
AutomationArguments declaredArguments(const char *member, const QVariant &var1,
                                      const QVariant &var2, const QVariant &var3,
                                      const QVariant &var4)
{
    const QVariant *given[] = {&var1, &var2, &var3, &var4};
    int count = parameterCount(member);
    if (count < 0) {
        count = 0;
        while (count < 4 && given[count]->isValid())
            ++count;
    }
    AutomationArguments arguments;
    for (int i = 0; i < count && i < 4; ++i)
        arguments.append(*given[i]);
    return arguments;
}

} // namespace

AutomationObject::AutomationObject(const QString &programId, QObject *parent)
    : QObject(parent), m_dispatch(OfficeServers::start(programId))
{
    if (!m_dispatch)
        qWarning().noquote() << QStringLiteral("No automation server for \"%1\"").arg(programId);
}

AutomationObject::AutomationObject(AutomationDispatchPtr dispatch, QObject *parent)
    : QObject(parent), m_dispatch(std::move(dispatch))
{}

AutomationObject *AutomationObject::querySubObject(const char *name, const QVariant &var1,
                                                   const QVariant &var2, const QVariant &var3,
                                                   const QVariant &var4)
{
    const QLatin1String member(name);
    if (!usable(member))
        return nullptr;
    const AutomationReply reply =
        m_dispatch->query(member, declaredArguments(name, var1, var2, var3, var4));
    if (!accepted(reply, member))
        return nullptr;
    if (!reply.object()) {
        qWarning().noquote() << QStringLiteral("%1: \"%2\" is not an object")
                                    .arg(m_dispatch->typeName(), QString(member));
        return nullptr;
    }
    return new AutomationObject(reply.object(), this);
}

QVariant AutomationObject::dynamicCall(const char *function, const QVariant &var1,
                                       const QVariant &var2, const QVariant &var3,
                                       const QVariant &var4)
{
    const QLatin1String member(function);
    if (!usable(member))
        return QVariant();
    const AutomationArguments arguments = declaredArguments(function, var1, var2, var3, var4);
    AutomationReply reply = m_dispatch->call(member, arguments);
    if (reply.outcome() == AutomationReply::Unknown && !std::strchr(function, '(')) {
        reply = arguments.isEmpty() ? m_dispatch->property(member)
                                    : m_dispatch->setProperty(member, arguments.first());
    }
    if (!accepted(reply, member))
        return QVariant();
    if (reply.object())
        return AutomationDispatch::toVariant(reply.object());
    return reply.value().isValid() ? reply.value() : QVariant(true);
}

bool AutomationObject::setProperty(const char *name, const QVariant &value)
{
    const QLatin1String member(name);
    return usable(member) && accepted(m_dispatch->setProperty(member, value), member);
}

QVariant AutomationObject::property(const char *name) const
{
    const QLatin1String member(name);
    if (!usable(member))
        return QVariant();
    const AutomationReply reply = m_dispatch->property(member);
    return accepted(reply, member) ? reply.value() : QVariant();
}

QVariant AutomationObject::asVariant() const
{
    return AutomationDispatch::toVariant(m_dispatch);
}

bool AutomationObject::usable(QLatin1String member) const
{
    if (!m_dispatch) {
        qWarning().noquote()
            << QStringLiteral("\"%1\" used on a null automation object").arg(QString(member));
        return false;
    }
    QString reason;
    if (!m_dispatch->isAvailable(&reason)) {
        qWarning().noquote() << QStringLiteral("%1: \"%2\" failed: %3")
                                    .arg(m_dispatch->typeName(), QString(member), reason);
        return false;
    }
    return true;
}

bool AutomationObject::accepted(const AutomationReply &reply, QLatin1String member) const
{
    switch (reply.outcome()) {
    case AutomationReply::Done:
        return true;
    case AutomationReply::Unknown:
        qWarning().noquote() << QStringLiteral("%1: unknown member \"%2\"")
                                    .arg(m_dispatch->typeName(), QString(member));
        return false;
    case AutomationReply::Failed:
        qWarning().noquote() << QStringLiteral("%1: \"%2\" failed: %3")
                                    .arg(m_dispatch->typeName(), QString(member), reply.reason());
        return false;
    }
    return false;
}
