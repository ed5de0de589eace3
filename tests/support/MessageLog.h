#pragma once

#include <QStringList>
#include <QtGlobal>

#include <atomic>
#include <mutex>

// While it lives, takes the messages that start with one of the prefixes out
// of the test's output and keeps them, so that a test can count them, wait
// for them or check their texts; every other message goes on to the test's
// own handler. Messages may come from any thread, so the log is guarded by
// a standard mutex, which the thread sanitizer sees. One at a time.
class MessageLog
{
public:
    explicit MessageLog(const QStringList &prefixes);
    ~MessageLog();
    MessageLog(const MessageLog &) = delete;
    MessageLog &operator=(const MessageLog &) = delete;

    // The messages kept that start with the prefix.
    QStringList messages(const QString &prefix) const;
    int count(const QString &prefix) const { return messages(prefix).size(); }

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &text);

    static std::atomic<MessageLog *> s_active;
    const QStringList m_prefixes;
    QtMessageHandler m_previous;
    mutable std::mutex m_lock;
    QStringList m_messages;
};
