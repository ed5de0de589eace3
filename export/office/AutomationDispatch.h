#pragma once

#include "export/office/AutomationReply.h"

#include <QMetaType>
#include <QString>
#include <QVariantList>

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

    virtual AutomationReply query(const QString &member, const QVariantList &arguments);
    virtual AutomationReply call(const QString &member, const QVariantList &arguments);
    virtual AutomationReply property(const QString &name) const;
    virtual AutomationReply setProperty(const QString &name, const QVariant &value);

    static QVariant toVariant(const AutomationDispatchPtr &object);
    static AutomationDispatchPtr fromVariant(const QVariant &value);
};

Q_DECLARE_METATYPE(AutomationDispatchPtr)
