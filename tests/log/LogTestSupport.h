#pragma once

// Helpers shared by the log tests. Every test program runs in a working folder
// of its own, where the log subsystem keeps ./config.ini and ./Log/.

#include "log/LogClock.h"

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QMutex>
#include <QMutexLocker>
#include <QString>
#include <QStringList>
#include <QVector>

namespace logtest {

// Removes ./config.ini and ./Log/ with whatever they became (a file, a folder).
inline void clearWorkFolder()
{
    for (const QString &path : {QStringLiteral("config.ini"), QStringLiteral("Log")}) {
        QFileInfo info(path);
        if (info.isDir() && !info.isSymLink())
            QDir(path).removeRecursively();
        else if (info.exists() || info.isSymLink())
            QFile::remove(path);
    }
}

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

// Names of the files in ./Log/, sorted.
inline QStringList logFiles()
{
    return QDir(QStringLiteral("Log")).entryList(QDir::Files, QDir::Name);
}

inline QByteArray logFile(const QString &name)
{
    return readAll(QStringLiteral("Log/") + name);
}

inline void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(content);
}

// A clock that the test sets: LogClock reads it while installed.
class TestClock
{
public:
    explicit TestClock(const QDateTime &start)
    {
        set(start);
        LogClock::setSource(&read);
    }
    ~TestClock() { LogClock::setSource(nullptr); }
    TestClock(const TestClock &) = delete;
    TestClock &operator=(const TestClock &) = delete;

    static void set(const QDateTime &value) { current() = value; }
    static void advance(int seconds) { current() = current().addSecs(seconds); }

private:
    static QDateTime &current()
    {
        static QDateTime value;
        return value;
    }
    static QDateTime read() { return current(); }
};

// One message as a message handler saw it.
struct SeenMessage
{
    QtMsgType type;
    QString text;
};

// Stands before the capture as Qt's previous handler: records every message
// instead of printing it, so that the tests can see what the capture passes on.
class MessageRecorder
{
public:
    static void install() { qInstallMessageHandler(&handle); }

    static QVector<SeenMessage> messages()
    {
        QMutexLocker locker(&mutex());
        return list();
    }
    static int count(const QString &text)
    {
        QMutexLocker locker(&mutex());
        int n = 0;
        for (const SeenMessage &m : list())
            n += m.text == text ? 1 : 0;
        return n;
    }
    static void clear()
    {
        QMutexLocker locker(&mutex());
        list().clear();
    }

private:
    static QMutex &mutex()
    {
        static QMutex m;
        return m;
    }
    static QVector<SeenMessage> &list()
    {
        static QVector<SeenMessage> l;
        return l;
    }
    static void handle(QtMsgType type, const QMessageLogContext &, const QString &text)
    {
        QMutexLocker locker(&mutex());
        list().append({type, text});
    }
};

} // namespace logtest
