#pragma once

#include "export/office/AutomationReply.h"

#include <QLatin1String>
#include <QMetaType>
#include <QString>
#include <QVarLengthArray>
#include <QVariant>

// Arguments of one member access; up to four are held without allocating.
using AutomationArguments = QVarLengthArray<QVariant, 4>;

// The server side of an automation object: answers member accesses by their
// call strings, matched exactly as written. Every member that a kind of
// object does not have is reported as unknown.
class AutomationDispatch
{
public:
    virtual ~AutomationDispatch();

    // Type name used in diagnostics, such as "Word.Document".
    virtual QString typeName() const = 0;
    // False, with the reason, when the object can no longer be used (its
    // document has been closed).
    virtual bool isAvailable(QString *reason) const;

    virtual AutomationReply query(QLatin1String member, const AutomationArguments &arguments);
    virtual AutomationReply call(QLatin1String member, const AutomationArguments &arguments);
    virtual AutomationReply property(QLatin1String name) const;
    virtual AutomationReply setProperty(QLatin1String name, const QVariant &value);

    static QVariant toVariant(const AutomationDispatchPtr &object);
    static AutomationDispatchPtr fromVariant(const QVariant &value);
};

Q_DECLARE_METATYPE(AutomationDispatchPtr)
