#include "IgnoredReplyLog.h"

IgnoredReplyLog *IgnoredReplyLog::s_active = nullptr;

IgnoredReplyLog::IgnoredReplyLog()
{
    s_active = this;
    m_previous = qInstallMessageHandler(&IgnoredReplyLog::handle);
}

IgnoredReplyLog::~IgnoredReplyLog()
{
    qInstallMessageHandler(m_previous);
    s_active = nullptr;
}

QStringList IgnoredReplyLog::messages() const
{
    const QMutexLocker locker(&m_lock);
    return m_messages;
}

int IgnoredReplyLog::count() const
{
    return messages().size();
}

// Messages may come from any thread.
void IgnoredReplyLog::handle(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtWarningMsg && text.startsWith(QStringLiteral("忽略测量回复"))) {
        const QMutexLocker locker(&s_active->m_lock);
        s_active->m_messages.append(text);
        return;
    }
    s_active->m_previous(type, context, text);
}
