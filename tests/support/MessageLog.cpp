#include "MessageLog.h"

#include <QRegularExpression>

std::atomic<MessageLog *> MessageLog::s_active{nullptr};

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
    const std::lock_guard<std::mutex> locker(m_lock);
    return m_messages.filter(
        QRegularExpression(QLatin1Char('^') + QRegularExpression::escape(prefix)));
}

void MessageLog::handle(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    MessageLog *active = s_active;
    for (const QString &prefix : active->m_prefixes) {
        if (text.startsWith(prefix)) {
            const std::lock_guard<std::mutex> locker(active->m_lock);
            active->m_messages.append(text);
            return;
        }
    }
    active->m_previous(type, context, text);
}
