// Logging observed on the files it leaves in the working folder: ./config.ini
// and the log files in ./Log/. Writers are handed records directly, as the
// queued connection would, or receive them from qDebug through the capture.

#include "app/GlobalState.h"
#include "log/LogClock.h"
#include "log/LogInput.h"
#include "log/LogSaveTxt.h"

#include <QTextCodec>
#include <QtTest>

#include <atomic>
#include <thread>
#include <vector>

namespace {
const QDate day(2026, 3, 5);
QDateTime clockNow;
std::atomic<int> passedOn{0};
std::atomic<int> openFailures{0};

QDateTime testClock()
{
    return clockNow;
}

// Stands before the capture as Qt's previous handler: counts instead of printing.
void previousHandler(QtMsgType, const QMessageLogContext &, const QString &msg)
{
    ++passedOn;
    if (msg == QStringLiteral("打开日志文件失败"))
        ++openFailures;
}

void removePath(const QString &path)
{
    if (QFileInfo(path).isDir())
        QDir(path).removeRecursively();
    else
        QFile::remove(path);
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray logFile(const QString &name)
{
    QFile file(QStringLiteral("Log/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList logFiles()
{
    return QDir(QStringLiteral("Log")).entryList(QDir::Files, QDir::Name);
}

void record(LogSaveTxt &writer, const QString &msg)
{
    writer.saveLog(QtDebugMsg, QTime(9, 8, 7), QString(), QString(), 0, msg);
}

// The line that record() leaves in the file of that name.
QByteArray recordLine(const QString &fileName, const QString &msg)
{
    const bool csv = fileName.endsWith(QLatin1String(".CSV"));
    return QString(csv ? "09:08:07,debug,,,0,%1\n" : "09:08:07 debug   0 %1\n").arg(msg).toUtf8();
}

// Lets the writers handle what was queued to them, and what that queued in turn.
void drain()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::sendPostedEvents();
}

// relyMode, time, size, rowNum and name as loaded.
QString settings()
{
    return QStringLiteral("%1 %2 %3 %4 %5")
        .arg(logRelyMode)
        .arg(logTime)
        .arg(logSize)
        .arg(logRowNum)
        .arg(logName);
}
} // namespace

class TestLog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void configReadRules_data();
    void configReadRules();
    void recordLines_data();
    void recordLines();
    void rotation_data();
    void rotation();
    void sizeCountsWhatAnotherCopyAppends();
    void openFailureWarnsOnceAndRecovers();
    // Last: the program's writer, once created, stays connected to the capture.
    void capturedThreadsKeepTheirOrder();
};

void TestLog::initTestCase()
{
    removePath(QStringLiteral("config.ini"));
    qInstallMessageHandler(&previousHandler);
    LogClock::setSource(&testClock);
    LogInput::instance();
    // The first run writes the defaults; reading them back proves they are in the file.
    QCOMPARE(settings(), QStringLiteral("0 24 100 1000 "));
}

void TestLog::init()
{
    for (const char *path : {"config.ini", "Log", "escape.log", "../escape.log"})
        removePath(QString::fromLatin1(path));
    QVERIFY(QDir().mkdir(QStringLiteral("Log")));
    logRelyMode = logTime = 0;
    logName.clear();
    clockNow = QDateTime(day, QTime(10, 0));
}

void TestLog::configReadRules_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("loaded");
    QTest::newRow("no LogConfig group")
        << QByteArray("[Other]\nrelyMode=1\ntime=12\n") << "0 0 0 0 ";
    QTest::newRow("bad values") << QByteArray("[LogConfig]\nrelyMode=x\ntime=-1\nsize=4294967296\n")
                                << "0 0 0 0 ";
    QTest::newRow("all keys") << QByteArray("[LogConfig]\nrelyMode=2\ntime=12\nsize=5\nrowNum=3\n"
                                            "name=2026-03-04 14-00-00.log\n")
                              << "2 12 5 3 2026-03-04 14-00-00.log";
    QTest::newRow("UTF-8 name") << QByteArray("[LogConfig]\nname=2026-03-05_\xe4\xb8\x8a.log\n")
                                << "0 0 0 0 2026-03-05_上.log";
}

void TestLog::configReadRules()
{
    QFETCH(QByteArray, ini);
    QFETCH(QString, loaded);
    writeFile(QStringLiteral("config.ini"), ini);
    loadLogConfig();
    QCOMPARE(settings(), loaded);
}

void TestLog::recordLines_data()
{
    QTest::addColumn<LogSaveTxt::FileType>("type");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("function");
    QTest::addColumn<QString>("msg");
    QTest::addColumn<QString>("line");
    const LogSaveTxt::FileType txt = LogSaveTxt::Txt, csv = LogSaveTxt::Csv;
    QTest::newRow("Txt") << txt << int(QtDebugMsg) << ""
                         << "x"
                         << "09:08:07 debug   0 x\n";
    QTest::newRow("Csv") << csv << int(QtDebugMsg) << ""
                         << "x"
                         << "09:08:07,debug,,,0,x\n";
    QTest::newRow("Txt context") << txt << int(QtWarningMsg) << "f"
                                 << "a b"
                                 << "09:08:07 warning a.cpp f 7 a b\n";
    QTest::newRow("Txt never quotes") << txt << int(QtInfoMsg) << ""
                                      << "a,\"b\""
                                      << "09:08:07 info   0 a,\"b\"\n";
    QTest::newRow("Csv comma") << csv << int(QtCriticalMsg) << ""
                               << "a,b"
                               << "09:08:07,critical,,,0,\"a,b\"\n";
    QTest::newRow("Csv quote") << csv << int(QtFatalMsg) << ""
                               << "say \"hi\""
                               << "09:08:07,fatal,,,0,\"say \"\"hi\"\"\"\n";
    QTest::newRow("Csv line break") << csv << 42 << ""
                                    << "two\nlines"
                                    << "09:08:07,debug,,,0,\"two\nlines\"\n";
    QTest::newRow("Csv context") << csv << int(QtDebugMsg) << "f(int, char)"
                                 << "ok"
                                 << "09:08:07,debug,a.cpp,\"f(int, char)\",7,ok\n";
    QTest::newRow("Txt Chinese") << txt << int(QtDebugMsg) << ""
                                 << "应用程序已经在运行中！"
                                 << "09:08:07 debug   0 应用程序已经在运行中！\n";
    QTest::newRow("Csv Chinese") << csv << int(QtDebugMsg) << ""
                                 << "灵敏度,ms^-2"
                                 << "09:08:07,debug,,,0,\"灵敏度,ms^-2\"\n";
}

void TestLog::recordLines()
{
    QFETCH(LogSaveTxt::FileType, type);
    QFETCH(int, level);
    QFETCH(QString, function);
    QFETCH(QString, msg);
    QFETCH(QString, line);
    // The text is UTF-8 even under an 8-bit locale.
    QTextCodec *const localeCodec = QTextCodec::codecForLocale();
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("ISO-8859-1"));
    {
        LogSaveTxt writer;
        writer.setFileType(type);
        const bool withContext = !function.isEmpty();
        writer.saveLog(QtMsgType(level), QTime(9, 8, 7), withContext ? "a.cpp" : "", function,
                       withContext ? 7 : 0, msg);
    }
    QTextCodec::setCodecForLocale(localeCodec);
    const QString name = type == LogSaveTxt::Csv ? "2026-03-05.CSV" : "2026-03-05.log";
    QCOMPARE(logFiles(), QStringList{name});
    QCOMPARE(logFile(name), line.toUtf8());
}

void TestLog::rotation_data()
{
    QTest::addColumn<QByteArray>("ini");
    // What "./Log/" holds before the first record: names made folders, which
    // no one can open as files, and the content of the file that name names.
    QTest::addColumn<QStringList>("blocked");
    QTest::addColumn<QByteArray>("existing");
    QTest::addColumn<QDateTime>("start");
    // "<seconds after start> <message>" for a record; "Csv" switches the file type.
    QTest::addColumn<QStringList>("steps");
    // "<file>: <messages>", in the order the files are started.
    QTest::addColumn<QStringList>("files");
    const QStringList none;
    const QByteArray empty;
    const QByteArray oneMiB(1048576, '\n');
    QTest::newRow("no group: by day")
        << QByteArray("[Other]\nrelyMode=1\n") << none << empty << QDateTime(day, QTime(23, 59, 59))
        << QStringList{"0 a", "1 b", "1 c"}
        << QStringList{"2026-03-05.log: a", "2026-03-06.log: b c"};
    QTest::newRow("half day") << QByteArray("[LogConfig]\ntime=12\n") << none << empty
                              << QDateTime(day, QTime(12, 59, 59)) << QStringList{"0 a", "1 b"}
                              << QStringList{"2026-03-05_上.log: a", "2026-03-05_下.log: b"};
    QTest::newRow("yesterday's name")
        << QByteArray("[LogConfig]\nname=2026-03-04.log\n") << none << empty
        << QDateTime(day, QTime(8, 0)) << QStringList{"0 a", "0 b"}
        << QStringList{"2026-03-04.log: a", "2026-03-05.log: b"};
    QTest::newRow("size 0") << QByteArray("[LogConfig]\nrelyMode=1\nsize=0\n") << none << empty
                            << QDateTime(day, QTime(14, 3, 27)) << QStringList{"0 1", "0 2", "1 3"}
                            << QStringList{"2026-03-05 14-03-27.log: 1 2",
                                           "2026-03-05 14-03-28.log: 3"};
    QTest::newRow("3 rows") << QByteArray("[LogConfig]\nrelyMode=2\nrowNum=3\n") << none << empty
                            << QDateTime(day, QTime(14, 0))
                            << QStringList{"0 1", "1 2", "2 3", "3 4"}
                            << QStringList{"2026-03-05 14-00-00.log: 1 2 3",
                                           "2026-03-05 14-00-03.log: 4"};
    // Two complete lines count as three rows: two more records fill the file.
    QTest::newRow("rows on restart")
        << QByteArray("[LogConfig]\nrelyMode=2\nrowNum=4\nname=old.log\n") << none
        << QByteArray("x\ny\n") << QDateTime(day, QTime(14, 0)) << QStringList{"0 a", "1 b", "2 c"}
        << QStringList{"old.log: a b", "2026-03-05 14-00-02.log: c"};
    // A file named on restart is opened as it is; the next record finds the limit.
    QTest::newRow("size: restart at the limit")
        << QByteArray("[LogConfig]\nrelyMode=1\nsize=1\nname=old.log\n") << none << oneMiB
        << QDateTime(day, QTime(14, 0)) << QStringList{"0 a", "1 b", "2 c"}
        << QStringList{"old.log: a", "2026-03-05 14-00-01.log: b c"};
    QTest::newRow("size: restart over the limit")
        << QByteArray("[LogConfig]\nrelyMode=1\nsize=1\nname=old.log\n") << none
        << oneMiB + "over\n"
        << QDateTime(day, QTime(14, 0)) << QStringList{"0 a", "1 b"}
        << QStringList{"old.log: a", "2026-03-05 14-00-01.log: b"};
    QTest::newRow("size: restart below the limit")
        << QByteArray("[LogConfig]\nrelyMode=1\nsize=1\nname=old.log\n") << none
        << oneMiB.left(1000) << QDateTime(day, QTime(14, 0)) << QStringList{"0 a", "1 b"}
        << QStringList{"old.log: a b"};
    QTest::newRow("Csv same day") << QByteArray("[LogConfig]\n") << none << empty
                                  << QDateTime(day, QTime(10, 0))
                                  << QStringList{"0 a", "Csv", "0 b"}
                                  << QStringList{"2026-03-05.log: a", "2026-03-05.CSV: b"};
    QTest::newRow("Csv by size") << QByteArray("[LogConfig]\nrelyMode=1\nsize=1\n") << none << empty
                                 << QDateTime(day, QTime(10, 0)) << QStringList{"0 a", "Csv", "0 b"}
                                 << QStringList{"2026-03-05 10-00-00.log: a",
                                                "2026-03-05 10-00-00.CSV: b"};
    QTest::newRow("relyMode 3") << QByteArray("[LogConfig]\nrelyMode=3\n") << none << empty
                                << QDateTime(day, QTime(10, 0)) << QStringList{"0 a"}
                                << QStringList{};
    // A name that cannot be opened (left by another user, say) gives way to a
    // new file by the rules of the mode, and logging goes on.
    QTest::newRow("unopenable name, by day")
        << QByteArray("[LogConfig]\nname=locked.log\n") << QStringList{"locked.log"} << empty
        << QDateTime(day, QTime(10, 0)) << QStringList{"0 a", "1 b"}
        << QStringList{"2026-03-05.log: a b"};
    QTest::newRow("unopenable name, by size")
        << QByteArray("[LogConfig]\nrelyMode=1\nsize=1\nname=locked.log\n")
        << QStringList{"locked.log"} << empty << QDateTime(day, QTime(10, 0))
        << QStringList{"0 a", "1 b"} << QStringList{"2026-03-05 10-00-00.log: a b"};
    QTest::newRow("unopenable name, by rows")
        << QByteArray("[LogConfig]\nrelyMode=2\nrowNum=5\nname=locked.log\n")
        << QStringList{"locked.log"} << empty << QDateTime(day, QTime(10, 0))
        << QStringList{"0 a", "1 b"} << QStringList{"2026-03-05 10-00-00.log: a b"};
    // The day's own file cannot be opened: a file named by the time stands in
    // for it until the next day.
    QTest::newRow("unopenable day file")
        << QByteArray("[LogConfig]\n") << QStringList{"2026-03-05.log"} << empty
        << QDateTime(day, QTime(23, 59, 58)) << QStringList{"0 a", "1 b", "2 c"}
        << QStringList{"2026-03-05 23-59-58.log: a b", "2026-03-06.log: c"};
    // The name never leads out of "./Log/".
    QTest::newRow("escaping name, by day")
        << QByteArray("[LogConfig]\nname=../escape.log\n") << none << empty
        << QDateTime(day, QTime(10, 0)) << QStringList{"0 a"} << QStringList{"2026-03-05.log: a"};
    QTest::newRow("escaping name, by size")
        << QByteArray("[LogConfig]\nrelyMode=1\nname=../../escape.log\n") << none << empty
        << QDateTime(day, QTime(10, 0)) << QStringList{"0 a"}
        << QStringList{"2026-03-05 10-00-00.log: a"};
    QTest::newRow("name in a subfolder, by rows")
        << QByteArray("[LogConfig]\nrelyMode=2\nrowNum=5\nname=sub/inner.log\n")
        << QStringList{"sub"} << empty << QDateTime(day, QTime(10, 0)) << QStringList{"0 a"}
        << QStringList{"2026-03-05 10-00-00.log: a"};
}

void TestLog::rotation()
{
    QFETCH(QByteArray, ini);
    QFETCH(QStringList, blocked);
    QFETCH(QByteArray, existing);
    QFETCH(QDateTime, start);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, files);
    writeFile(QStringLiteral("config.ini"), ini);
    loadLogConfig();
    const QString firstName = logName;
    for (const QString &name : blocked)
        QVERIFY(QDir(QStringLiteral("Log")).mkdir(name));
    if (!existing.isEmpty())
        writeFile(QStringLiteral("Log/") + firstName, existing);
    LogSaveTxt writer;
    for (const QString &step : steps) {
        if (step == QLatin1String("Csv")) {
            writer.setFileType(LogSaveTxt::Csv);
            continue;
        }
        clockNow = start.addSecs(step.section(' ', 0, 0).toInt());
        record(writer, step.section(' ', 1));
    }
    QStringList names;
    for (const QString &file : files) {
        names << file.section(QLatin1String(": "), 0, 0);
        QByteArray lines = names.last() == firstName ? existing : QByteArray();
        for (const QString &msg : file.section(QLatin1String(": "), 1).split(' '))
            lines += recordLine(names.last(), msg);
        QCOMPARE(logFile(names.last()), lines);
    }
    const QString lastName = names.value(names.size() - 1);
    names.sort();
    QCOMPARE(logFiles(), names);
    QVERIFY(QDir().entryList({"*.log"}, QDir::Files).isEmpty());
    QVERIFY(QDir(QStringLiteral("..")).entryList({"*.log"}, QDir::Files).isEmpty());
    loadLogConfig(); // a restart carries on with the file last started
    QCOMPARE(logName, lastName);
}

// What another copy of the program appends to the same file counts towards
// the size limit, from this writer's next record on.
void TestLog::sizeCountsWhatAnotherCopyAppends()
{
    writeFile(QStringLiteral("config.ini"), "[LogConfig]\nrelyMode=1\nsize=1\n");
    loadLogConfig();
    LogSaveTxt writer;
    const QString first = QStringLiteral("2026-03-05 10-00-00.log");
    record(writer, QStringLiteral("a"));
    const QByteArray appended(1048576, '\n');
    QFile other(QStringLiteral("Log/") + first);
    QVERIFY(other.open(QIODevice::WriteOnly | QIODevice::Append));
    other.write(appended);
    other.close();
    clockNow = clockNow.addSecs(1);
    record(writer, QStringLiteral("b"));
    record(writer, QStringLiteral("c"));
    QCOMPARE(logFiles(), (QStringList{first, "2026-03-05 10-00-01.log"}));
    QCOMPARE(logFile(first), recordLine(first, "a") + appended + recordLine(first, "b"));
    QCOMPARE(logFile("2026-03-05 10-00-01.log"), recordLine(first, "c"));
}

void TestLog::openFailureWarnsOnceAndRecovers()
{
    LogSaveTxt writer;
    // A plain file where the folder should be: nothing opens in it, even for root.
    removePath(QStringLiteral("Log"));
    writeFile(QStringLiteral("Log"), "not a folder");
    openFailures = 0;
    record(writer, QStringLiteral("lost"));
    record(writer, QStringLiteral("lost"));
    // The warning comes back through the capture as a record that fails too.
    drain();
    QCOMPARE(int(openFailures), 1);
    removePath(QStringLiteral("Log"));
    QVERIFY(QDir().mkdir(QStringLiteral("Log")));
    record(writer, QStringLiteral("back"));
    QCOMPARE(logFiles(), QStringList{"2026-03-05.log"});
    QCOMPARE(logFile("2026-03-05.log"), recordLine("2026-03-05.log", "back"));
}

void TestLog::capturedThreadsKeepTheirOrder()
{
    constexpr int threadCount = 4;
    constexpr int perThread = 5000;
    removePath(QStringLiteral("Log"));
    LogSaveTxt::instance(); // the program's writer, as start-up creates it
    QVERIFY(QFileInfo(QStringLiteral("Log")).isDir());
    const int passedBefore = passedOn;
    qDebug("%s", ""); // passed on, but never written
    std::vector<std::thread> threads;
    for (int t = 0; t < threadCount; ++t) {
        threads.emplace_back([t] {
            for (int i = 0; i < perThread; ++i)
                qDebug("thread %d message %d", t, i);
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    drain();
    QCOMPARE(passedOn - passedBefore, 1 + threadCount * perThread);
    const QList<QByteArray> lines = logFile("2026-03-05.log").split('\n');
    QCOMPARE(lines.size(), threadCount * perThread + 1); // and an empty piece after the last
    const QRegularExpression pattern("^10:00:00 debug .* thread (\\d) message (\\d+)$");
    int next[threadCount] = {};
    for (int i = 0; i + 1 < lines.size(); ++i) {
        const QRegularExpressionMatch match = pattern.match(QString::fromUtf8(lines[i]));
        QVERIFY2(match.hasMatch(), lines[i].constData());
        QCOMPARE(match.captured(2).toInt(), next[match.captured(1).toInt()]++);
    }
}

QTEST_GUILESS_MAIN(TestLog)
#include "tst_log.moc"
