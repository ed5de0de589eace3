#include "MessageLog.h"

#include <QRegularExpression>

MessageLog *MessageLog::s_active = nullptr;

MessageLog::MessageLog(const QStringList &prefixes) : m_prefixes(prefixes)
{
    s_active = this;
    m_previous = qInstallMessageHandler(&MessageLog::handle);
}

MessageLog::~MessageLog()
{
    qInstallMessageHandler(m_previous);
    s_active = nullptr;
}

QStringList MessageLog::messages(const QString &prefix) const
{
    const QMutexLocker locker(&m_lock);
    return m_messages.filter(
        QRegularExpression(QLatin1Char('^') + QRegularExpression::escape(prefix)));
}

void MessageLog::handle(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    for (const QString &prefix : s_active->m_prefixes) {
        if (text.startsWith(prefix)) {
            const QMutexLocker locker(&s_active->m_lock);
            s_active->m_messages.append(text);
            return;
        }
    }
    s_active->m_previous(type, context, text);
}
