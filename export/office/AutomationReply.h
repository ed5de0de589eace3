#pragma once

#include <QString>
#include <QVariant>

#include <memory>

class AutomationDispatch;
using AutomationDispatchPtr = std::shared_ptr<AutomationDispatch>;

// Outcome of one member access on an automation object: done (with a value
// or an object), failed (with the reason), or unknown member.
class AutomationReply
{
public:
    enum Outcome_e
    {
        Done,
        Failed,
        Unknown
    };

    static AutomationReply done(const QVariant &value = QVariant());
    static AutomationReply object(AutomationDispatchPtr object);
    static AutomationReply failed(const QString &reason);
    static AutomationReply unknown();

    Outcome_e outcome() const { return m_outcome; }
    const QVariant &value() const { return m_value; }
    const AutomationDispatchPtr &object() const { return m_object; }
    const QString &reason() const { return m_reason; }

private:
    explicit AutomationReply(Outcome_e outcome);

    Outcome_e m_outcome;
    QVariant m_value;
    AutomationDispatchPtr m_object;
    QString m_reason;
};
