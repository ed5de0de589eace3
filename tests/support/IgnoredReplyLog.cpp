#include "IgnoredReplyLog.h"

std::atomic<IgnoredReplyLog *> IgnoredReplyLog::s_active{nullptr};

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
    const std::lock_guard<std::mutex> locker(m_lock);
    return m_messages;
}

int IgnoredReplyLog::count() const
{
    return messages().size();
}

// Messages may come from any thread.
void IgnoredReplyLog::handle(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    IgnoredReplyLog *active = s_active;
    if (type == QtWarningMsg && text.startsWith(QStringLiteral("忽略测量回复"))) {
        const std::lock_guard<std::mutex> locker(active->m_lock);
        active->m_messages.append(text);
        return;
    }
    active->m_previous(type, context, text);
}
