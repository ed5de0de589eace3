#pragma once

#include <QStringList>
#include <QtGlobal>

#include <atomic>
#include <mutex>

// While it lives, takes the warnings the window logs for every point reply it
// ignores ("忽略测量回复: ...") out of the test's output and keeps them, so
// that a test can count them, wait for one, or check its text. Every other
// message goes on to the test's own handler. One at a time.
class IgnoredReplyLog
{
public:
    IgnoredReplyLog();
    ~IgnoredReplyLog();
    IgnoredReplyLog(const IgnoredReplyLog &) = delete;
    IgnoredReplyLog &operator=(const IgnoredReplyLog &) = delete;

    QStringList messages() const;
    int count() const;

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &text);

    static std::atomic<IgnoredReplyLog *> s_active;
    QtMessageHandler m_previous;
    mutable std::mutex m_lock;
    QStringList m_messages;
};
