// The capture of Qt messages and the log settings in ./config.ini.

#include "LogTestSupport.h"

#include "app/GlobalState.h"
#include "log/LogInput.h"

#include <QtTest>

#include <thread>
#include <vector>

using namespace logtest;

class TestLogCapture : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void firstCreationWritesTheDefaults();
    void oneInstanceAndTheHandlerInstalled();
    void emptyMessageOnlyReachesThePreviousHandler();
    void messageWithoutContextGivesEmptyFields();
    void contextAndTimeArePassedOn();
    void everyLevelIsPassedOn();
    void systemClockGivesLocalTime();
    void missingGroupReadsAsZero();
    void missingOrBadKeysReadAsZero();
    void existingFileKeepsItsValues();
    void namesInUtf8OrEscapedAreRead();
    void unreadableConfigReadsAsZero();
    void saveLogNameKeepsTheOtherKeys();
    void saveLogNameRecreatesADeletedFile();
    void saveLogNameOnAnUnwritableFile();

private:
    QList<QVariantList> m_seen;
};

namespace {
QMessageLogContext contextOf(const char *file, int line, const char *function)
{
    return QMessageLogContext(file, line, function, "default");
}

// Loads ./config.ini after writing it with the given text.
void loadFrom(const QByteArray &ini)
{
    QFile::remove(QStringLiteral("config.ini"));
    writeFile(QStringLiteral("config.ini"), ini);
    loadLogConfig();
}
} // namespace

void TestLogCapture::initTestCase()
{
    clearWorkFolder();
    MessageRecorder::install();
    // Several threads ask for the capture at once: one object for all.
    std::vector<LogInput *> seen(4, nullptr);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < seen.size(); ++i)
        threads.emplace_back([&seen, i] { seen[i] = LogInput::instance(); });
    for (std::thread &t : threads)
        t.join();
    for (LogInput *p : seen)
        QCOMPARE(p, seen.front());
    QVERIFY(seen.front());
    connect(LogInput::instance(), &LogInput::logData, this,
            [this](QtMsgType type, const QTime &time, const QString &file, const QString &function,
                   int line, const QString &msg) {
                m_seen.append({int(type), time, file, function, line, msg});
            });
}

void TestLogCapture::firstCreationWritesTheDefaults()
{
    const QByteArray ini = readAll(QStringLiteral("config.ini"));
    QVERIFY2(ini.startsWith("[LogConfig]\n"), ini.constData());
    for (const char *line : {"relyMode=0\n", "time=24\n", "size=100\n", "name=\n", "rowNum=1000\n"})
        QVERIFY2(ini.contains(line), line);
    QCOMPARE(ini.count('\n'), 6);
    QCOMPARE(logRelyMode, 0u);
    QCOMPARE(logTime, 24u);
    QCOMPARE(logSize, 100u);
    QCOMPARE(logRowNum, 1000u);
    QVERIFY(logName.isEmpty());
}

void TestLogCapture::oneInstanceAndTheHandlerInstalled()
{
    QCOMPARE(LogInput::instance(), LogInput::instance());
    QVERIFY(QMetaType::type("QtMsgType") != QMetaType::UnknownType);
    // The capture stands in front of the recorder and hands every message on.
    const QtMessageHandler current = qInstallMessageHandler(nullptr);
    qInstallMessageHandler(current);
    QVERIFY(current == &LogInput::messageHandler);
}

void TestLogCapture::emptyMessageOnlyReachesThePreviousHandler()
{
    m_seen.clear();
    MessageRecorder::clear();
    qDebug("%s", "");
    qWarning("%s", "");
    QVERIFY(m_seen.isEmpty());
    QCOMPARE(MessageRecorder::count(QString()), 2);
}

void TestLogCapture::messageWithoutContextGivesEmptyFields()
{
    m_seen.clear();
    LogInput::messageHandler(QtDebugMsg, QMessageLogContext(), QStringLiteral("x"));
    QCOMPARE(m_seen.size(), 1);
    const QVariantList &r = m_seen.front();
    QCOMPARE(r[0].toInt(), int(QtDebugMsg));
    QCOMPARE(r[2].toString(), QString());
    QCOMPARE(r[3].toString(), QString());
    QCOMPARE(r[4].toInt(), 0);
    QCOMPARE(r[5].toString(), QStringLiteral("x"));
    QCOMPARE(MessageRecorder::count(QStringLiteral("x")), 1);
}

void TestLogCapture::contextAndTimeArePassedOn()
{
    TestClock clock(QDateTime(QDate(2026, 3, 5), QTime(12, 59, 58)));
    m_seen.clear();
    LogInput::messageHandler(QtWarningMsg, contextOf("设备/链接.cpp", 42, "void f(int, char)"),
                             QStringLiteral("端口 打开失败"));
    QCOMPARE(m_seen.size(), 1);
    const QVariantList &r = m_seen.front();
    QCOMPARE(r[0].toInt(), int(QtWarningMsg));
    QCOMPARE(r[1].toTime(), QTime(12, 59, 58));
    QCOMPARE(r[2].toString(), QStringLiteral("设备/链接.cpp"));
    QCOMPARE(r[3].toString(), QStringLiteral("void f(int, char)"));
    QCOMPARE(r[4].toInt(), 42);
    QCOMPARE(r[5].toString(), QStringLiteral("端口 打开失败"));
}

void TestLogCapture::everyLevelIsPassedOn()
{
    m_seen.clear();
    qDebug("d");
    qInfo("i");
    qWarning("w");
    qCritical("c");
    QCOMPARE(m_seen.size(), 4);
    const QList<int> types{QtDebugMsg, QtInfoMsg, QtWarningMsg, QtCriticalMsg};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(m_seen[i][0].toInt(), types[i]);
    // Without a build-time context the file and function are empty; the time is now.
    QVERIFY(qAbs(m_seen[0][1].toTime().secsTo(QTime::currentTime())) <= 2);
}

void TestLogCapture::systemClockGivesLocalTime()
{
    LogClock::setSource(nullptr);
    const QDateTime before = QDateTime::currentDateTime();
    const QDateTime now = LogClock::now();
    const QDateTime after = QDateTime::currentDateTime();
    QVERIFY(before.toMSecsSinceEpoch() <= now.toMSecsSinceEpoch());
    QVERIFY(now.toMSecsSinceEpoch() <= after.toMSecsSinceEpoch());
    QCOMPARE(now.offsetFromUtc(), after.offsetFromUtc());
    // The wall-clock fields are those of local time.
    const QDateTime local = now.toLocalTime();
    QCOMPARE(now.date(), local.date());
    QCOMPARE(now.time(), local.time());
}

void TestLogCapture::missingGroupReadsAsZero()
{
    logName = QStringLiteral("stale");
    loadFrom("[Other]\nrelyMode=1\ntime=12\n");
    QCOMPARE(logRelyMode, 0u);
    QCOMPARE(logTime, 0u);
    QCOMPARE(logSize, 0u);
    QCOMPARE(logRowNum, 0u);
    QVERIFY(logName.isEmpty());
    // An existing file is not given the defaults.
    QVERIFY(!readAll(QStringLiteral("config.ini")).contains("LogConfig"));
}

void TestLogCapture::missingOrBadKeysReadAsZero()
{
    loadFrom("[LogConfig]\nrelyMode=abc\ntime=-12\nsize=4294967296\nrowNum=7\n");
    QCOMPARE(logRelyMode, 0u);
    QCOMPARE(logTime, 0u);
    QCOMPARE(logSize, 0u);
    QCOMPARE(logRowNum, 7u);
    QVERIFY(logName.isEmpty());

    loadFrom("[LogConfig]\nrelyMode=7\nsize=4095\n");
    QCOMPARE(logRelyMode, 7u);
    QCOMPARE(logSize, 4095u);
    QCOMPARE(logRowNum, 0u);
}

void TestLogCapture::existingFileKeepsItsValues()
{
    loadFrom("[LogConfig]\nrelyMode=2\ntime=12\nsize=5\nname=2026-03-04.log\nrowNum=3\n");
    QCOMPARE(logRelyMode, 2u);
    QCOMPARE(logTime, 12u);
    QCOMPARE(logSize, 5u);
    QCOMPARE(logRowNum, 3u);
    QCOMPARE(logName, QStringLiteral("2026-03-04.log"));
}

void TestLogCapture::namesInUtf8OrEscapedAreRead()
{
    loadFrom("[LogConfig]\nname=2026-03-05_\xe4\xb8\x8a.log\n");
    QCOMPARE(logName, QStringLiteral("2026-03-05_上.log"));
    loadFrom("[LogConfig]\nname=2026-03-05_\\x4e0b.log\n");
    QCOMPARE(logName, QStringLiteral("2026-03-05_下.log"));
    // And a name written by the program reads back the same.
    saveLogName(QStringLiteral("2026-03-05_下.CSV"));
    logName.clear();
    loadLogConfig();
    QCOMPARE(logName, QStringLiteral("2026-03-05_下.CSV"));
}

void TestLogCapture::unreadableConfigReadsAsZero()
{
    QFile::remove(QStringLiteral("config.ini"));
    QVERIFY(QDir().mkdir(QStringLiteral("config.ini")));
    logRelyMode = logTime = logSize = logRowNum = 9;
    loadLogConfig();
    QCOMPARE(logRelyMode, 0u);
    QCOMPARE(logTime, 0u);
    QCOMPARE(logSize, 0u);
    QCOMPARE(logRowNum, 0u);
    QVERIFY(QDir().rmdir(QStringLiteral("config.ini")));
}

void TestLogCapture::saveLogNameKeepsTheOtherKeys()
{
    loadFrom("[LogConfig]\nrelyMode=1\ntime=24\nsize=5\nname=old.log\nrowNum=3\n");
    saveLogName(QStringLiteral("2026-03-05 14-03-27.log"));
    QCOMPARE(logName, QStringLiteral("2026-03-05 14-03-27.log"));
    const QByteArray ini = readAll(QStringLiteral("config.ini"));
    QVERIFY(ini.contains("name=2026-03-05 14-03-27.log\n"));
    QVERIFY(ini.contains("relyMode=1\n"));
    QVERIFY(ini.contains("rowNum=3\n"));
    saveLogName(QString());
    QVERIFY(readAll(QStringLiteral("config.ini")).contains("name=\n"));
    QVERIFY(logName.isEmpty());
}

void TestLogCapture::saveLogNameRecreatesADeletedFile()
{
    QFile::remove(QStringLiteral("config.ini"));
    saveLogName(QStringLiteral("2026-03-05.log"));
    QCOMPARE(readAll(QStringLiteral("config.ini")),
             QByteArray("[LogConfig]\nname=2026-03-05.log\n"));
}

void TestLogCapture::saveLogNameOnAnUnwritableFile()
{
    QFile::remove(QStringLiteral("config.ini"));
    QVERIFY(QDir().mkdir(QStringLiteral("config.ini")));
    saveLogName(QStringLiteral("kept-in-memory.log"));
    QCOMPARE(logName, QStringLiteral("kept-in-memory.log"));
    QVERIFY(QFileInfo(QStringLiteral("config.ini")).isDir());
    QVERIFY(QDir().rmdir(QStringLiteral("config.ini")));
}

QTEST_GUILESS_MAIN(TestLogCapture)
#include "tst_log_capture.moc"
