#pragma once

#include "export/office/AutomationReply.h"

#include <QObject>
#include <QString>
#include <QVariant>

// Client side of an Office automation object, created from a program
// identifier ("Word.Application", "Excel.Application"). Members are reached
// by call strings written exactly as the server knows them, blanks included.
// A failed query gives a null pointer and a failed call an invalid QVariant;
// a call that succeeds without a result answers true. Failed and unknown
// members are logged as warnings. Sub-objects are children of the object
// they came from.
class AutomationObject : public QObject
{
    Q_OBJECT

public:
    explicit AutomationObject(const QString &programId, QObject *parent = nullptr);

    bool isNull() const { return !m_dispatch; }

    AutomationObject *querySubObject(const char *name, const QVariant &var1 = QVariant(),
                                     const QVariant &var2 = QVariant(),
                                     const QVariant &var3 = QVariant(),
                                     const QVariant &var4 = QVariant());
    QVariant dynamicCall(const char *function, const QVariant &var1 = QVariant(),
                         const QVariant &var2 = QVariant(), const QVariant &var3 = QVariant(),
                         const QVariant &var4 = QVariant());
    bool setProperty(const char *name, const QVariant &value);
    QVariant property(const char *name) const;

    // The object as an argument of another call.
    QVariant asVariant() const;

private:
    AutomationObject(AutomationDispatchPtr dispatch, QObject *parent);

    bool usable(QLatin1String member) const;
    bool accepted(const AutomationReply &reply, QLatin1String member) const;

    AutomationDispatchPtr m_dispatch;
};
