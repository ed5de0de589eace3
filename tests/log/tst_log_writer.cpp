// The log file writer: record lines, file names and every way of starting a new
// file, observed on the files in ./Log/. Each test uses a writer of its own and
// hands it records directly, as the queued connection would.

#include "LogTestSupport.h"

#include "app/GlobalState.h"
#include "log/LogInput.h"
#include "log/LogSaveTxt.h"

#include <QTextCodec>
#include <QtTest>

using namespace logtest;

class TestLogWriter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void txtLineWithoutContext();
    void csvLineWithoutContext();
    void lineWithContext();
    void levelWords_data();
    void levelWords();
    void invalidTimeGivesAnEmptyField();
    void markersInsideFieldsStayText();
    void csvQuotesOnlyFieldsThatNeedIt();
    void txtNeverQuotes();
    void utf8WhateverTheLocale();
    void dayFileByDate();
    void halfDaySwitchesAtOne();
    void halfDayCsv();
    void yesterdaysNameThenToday();
    void restartAppendsToTheNamedFile();
    void sizeZeroStartsAFileEveryRecord();
    void sizeLimitIsTestedBeforeTheRecord();
    void size4096WrapsToZero();
    void rowsThreePerFile();
    void rowsCountExistingLines();
    void setFileTypeCsvStartsANewFile();
    void fileTypeThroughThePropertySystem();
    void relyModeOutsideTheRangeWritesNothing();
    void openFailureWarnsOnceAndRecovers();
    void missingLogFolderIsCreated();
    void unwritableLogFolder();
    void unwritableConfigStillLogs();

private:
    QString lines(const QString &name) { return QString::fromUtf8(logFile(name)); }
};

namespace {
const QDate day(2026, 3, 5);

void record(LogSaveTxt &writer, const QString &msg, QtMsgType type = QtDebugMsg)
{
    writer.saveLog(type, QTime(9, 8, 7), QString(), QString(), 0, msg);
}

// Lets the writers handle what was queued to them (the capture's records).
void drainEvents()
{
    for (int i = 0; i < 10; ++i)
        QCoreApplication::sendPostedEvents();
}
} // namespace

void TestLogWriter::initTestCase()
{
    clearWorkFolder();
    MessageRecorder::install();
    LogInput::instance(); // loads the settings once; the tests set them below
}

void TestLogWriter::init()
{
    clearWorkFolder();
    QVERIFY(QDir().mkdir(QStringLiteral("Log")));
    logRelyMode = 0;
    logTime = 24;
    logSize = 100;
    logRowNum = 1000;
    logName.clear();
    logRowCount = 0;
    MessageRecorder::clear();
}

void TestLogWriter::cleanup()
{
    drainEvents();
    LogClock::setSource(nullptr);
}

void TestLogWriter::txtLineWithoutContext()
{
    TestClock clock(QDateTime(day, QTime(10, 0)));
    LogSaveTxt writer;
    QCOMPARE(writer.fileType(), LogSaveTxt::Txt);
    record(writer, QStringLiteral("x"));
    QCOMPARE(logFiles(), QStringList{QStringLiteral("2026-03-05.log")});
    QCOMPARE(logFile(QStringLiteral("2026-03-05.log")), QByteArray("09:08:07 debug   0 x\n"));
    QCOMPARE(logName, QStringLiteral("2026-03-05.log"));
    QVERIFY(readAll(QStringLiteral("config.ini")).contains("name=2026-03-05.log\n"));
}

void TestLogWriter::csvLineWithoutContext()
{
    TestClock clock(QDateTime(day, QTime(10, 0)));
    LogSaveTxt writer;
    writer.setFileType(LogSaveTxt::Csv);
    record(writer, QStringLiteral("x"));
    QCOMPARE(logFiles(), QStringList{QStringLiteral("2026-03-05.CSV")});
    QCOMPARE(logFile(QStringLiteral("2026-03-05.CSV")), QByteArray("09:08:07,debug,,,0,x\n"));
}

void TestLogWriter::lineWithContext()
{
    TestClock clock(QDateTime(day, QTime(10, 0)));
    LogSaveTxt writer;
    writer.saveLog(QtWarningMsg, QTime(23, 59, 59), QStringLiteral("device/Config.cpp"),
                   QStringLiteral("sendCmd"), 1234, QStringLiteral("port lost"));
    writer.saveLog(QtInfoMsg, QTime(0, 0, 0), QStringLiteral("a.cpp"), QStringLiteral("f"), -1,
                   QStringLiteral("two  spaces"));
    QCOMPARE(logFile(QStringLiteral("2026-03-05.log")),
             QByteArray("23:59:59 warning device/Config.cpp sendCmd 1234 port lost\n"
                        "00:00:00 info a.cpp f -1 two  spaces\n"));
}

void TestLogWriter::levelWords_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("word");
    QTest::newRow("debug") << int(QtDebugMsg) << "debug";
    QTest::newRow("warning") << int(QtWarningMsg) << "warning";
    QTest::newRow("critical") << int(QtCriticalMsg) << "critical";
    QTest::newRow("fatal") << int(QtFatalMsg) << "fatal";
    QTest::newRow("info") << int(QtInfoMsg) << "info";
    QTest::newRow("other") << 42 << "debug";
}

void TestLogWriter::levelWords()
{
    QFETCH(int, type);
    QFETCH(QString, word);
    TestClock clock(QDateTime(day, QTime(10, 0)));
    LogSaveTxt writer;
    record(writer, QStringLiteral("m"), QtMsgType(type));
    QCOMPARE(lines(QStringLiteral("2026-03-05.log")),
             QStringLiteral("09:08:07 %1   0 m\n").arg(word));
}

void TestLogWriter::invalidTimeGivesAnEmptyField()
{
    TestClock clock(QDateTime(day, QTime(10, 0)));
    LogSaveTxt writer;
    writer.saveLog(QtDebugMsg, QTime(), QString(), QString(), 0, QStringLiteral("x"));
    QCOMPARE(logFile(QStringLiteral("2026-03-05.log")), QByteArray(" debug   0 x\n"));
}

void TestLogWriter::markersInsideFieldsStayText()
{
    TestClock clock(QDateTime(day, QTime(10, 0)));
    LogSaveTxt writer;
    writer.saveLog(QtDebugMsg, QTime(1, 2, 3), QStringLiteral("%6.cpp"), QStringLiteral("%5"), 7,
                   QStringLiteral("100% %1"));
    QCOMPARE(logFile(QStringLiteral("2026-03-05.log")),
             QByteArray("01:02:03 debug %6.cpp %5 7 100% %1\n"));
}

void TestLogWriter::csvQuotesOnlyFieldsThatNeedIt()
{
    TestClock clock(QDateTime(day, QTime(10, 0)));
    LogSaveTxt writer;
    writer.setFileType(LogSaveTxt::Csv);
    record(writer, QStringLiteral("a,b"));
    record(writer, QStringLiteral("say \"hi\""));
    record(writer, QStringLiteral("two\nlines"));
    record(writer, QStringLiteral("cr\rhere"));
    record(writer, QStringLiteral("plain 'text' ; tab\there"));
    writer.saveLog(QtDebugMsg, QTime(9, 8, 7), QStringLiteral("x,y.cpp"),
                   QStringLiteral("void f(int, char)"), 3, QStringLiteral("ok"));
    QCOMPARE(logFile(QStringLiteral("2026-03-05.CSV")),
             QByteArray("09:08:07,debug,,,0,\"a,b\"\n"
                        "09:08:07,debug,,,0,\"say \"\"hi\"\"\"\n"
                        "09:08:07,debug,,,0,\"two\nlines\"\n"
                        "09:08:07,debug,,,0,\"cr\rhere\"\n"
                        "09:08:07,debug,,,0,plain 'text' ; tab\there\n"
                        "09:08:07,debug,\"x,y.cpp\",\"void f(int, char)\",3,ok\n"));
}

void TestLogWriter::txtNeverQuotes()
{
    TestClock clock(QDateTime(day, QTime(10, 0)));
    LogSaveTxt writer;
    record(writer, QStringLiteral("a,\"b\""));
    QCOMPARE(logFile(QStringLiteral("2026-03-05.log")), QByteArray("09:08:07 debug   0 a,\"b\"\n"));
}

void TestLogWriter::utf8WhateverTheLocale()
{
    // The text of a record is UTF-8 even under an 8-bit locale. (File names
    // follow Qt's file name encoding, which is UTF-8 under C and UTF-8 locales.)
    QTextCodec *const before = QTextCodec::codecForLocale();
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("ISO-8859-1"));
    TestClock clock(QDateTime(day, QTime(13, 0)));
    {
        LogSaveTxt writer;
        record(writer, QStringLiteral("应用程序已经在运行中！"));
        writer.setFileType(LogSaveTxt::Csv);
        record(writer, QStringLiteral("灵敏度,ms^-2"));
    }
    QTextCodec::setCodecForLocale(before);
    QCOMPARE(logFile(QStringLiteral("2026-03-05.log")),
             QStringLiteral("09:08:07 debug   0 应用程序已经在运行中！\n").toUtf8());
    QCOMPARE(logFile(QStringLiteral("2026-03-05.CSV")),
             QStringLiteral("09:08:07,debug,,,0,\"灵敏度,ms^-2\"\n").toUtf8());
}

void TestLogWriter::dayFileByDate()
{
    TestClock clock(QDateTime(day, QTime(23, 59, 59)));
    logTime = 0; // anything but 12 means one file per day
    LogSaveTxt writer;
    record(writer, QStringLiteral("a"));
    TestClock::advance(1);
    record(writer, QStringLiteral("b"));
    record(writer, QStringLiteral("c"));
    QCOMPARE(logFiles(),
             (QStringList{QStringLiteral("2026-03-05.log"), QStringLiteral("2026-03-06.log")}));
    QCOMPARE(logFile(QStringLiteral("2026-03-05.log")), QByteArray("09:08:07 debug   0 a\n"));
    QCOMPARE(logFile(QStringLiteral("2026-03-06.log")),
             QByteArray("09:08:07 debug   0 b\n09:08:07 debug   0 c\n"));
    QCOMPARE(logName, QStringLiteral("2026-03-06.log"));
}

void TestLogWriter::halfDaySwitchesAtOne()
{
    logTime = 12;
    TestClock clock(QDateTime(day, QTime(0, 0, 0)));
    LogSaveTxt writer;
    record(writer, QStringLiteral("midnight"));
    TestClock::set(QDateTime(day, QTime(12, 59, 59)));
    record(writer, QStringLiteral("12:59"));
    TestClock::set(QDateTime(day, QTime(13, 0, 0)));
    record(writer, QStringLiteral("13:00"));
    TestClock::set(QDateTime(day, QTime(23, 59, 59)));
    record(writer, QStringLiteral("23:59"));
    QCOMPARE(logFiles(), (QStringList{QStringLiteral("2026-03-05_上.log"),
                                      QStringLiteral("2026-03-05_下.log")}));
    QCOMPARE(lines(QStringLiteral("2026-03-05_上.log")),
             QStringLiteral("09:08:07 debug   0 midnight\n09:08:07 debug   0 12:59\n"));
    QCOMPARE(lines(QStringLiteral("2026-03-05_下.log")),
             QStringLiteral("09:08:07 debug   0 13:00\n09:08:07 debug   0 23:59\n"));
    QCOMPARE(logName, QStringLiteral("2026-03-05_下.log"));
}

void TestLogWriter::halfDayCsv()
{
    logTime = 12;
    TestClock clock(QDateTime(day, QTime(12, 59, 59)));
    LogSaveTxt writer;
    writer.setFileType(LogSaveTxt::Csv);
    record(writer, QStringLiteral("a"));
    TestClock::advance(1);
    record(writer, QStringLiteral("b"));
    QCOMPARE(logFiles(), (QStringList{QStringLiteral("2026-03-05_上.CSV"),
                                      QStringLiteral("2026-03-05_下.CSV")}));
}

void TestLogWriter::yesterdaysNameThenToday()
{
    writeFile(QStringLiteral("Log/2026-03-04.log"), "09:00:00 debug   0 old\n");
    saveLogName(QStringLiteral("2026-03-04.log"));
    TestClock clock(QDateTime(day, QTime(8, 0)));
    LogSaveTxt writer;
    record(writer, QStringLiteral("first"));
    record(writer, QStringLiteral("second"));
    QCOMPARE(logFile(QStringLiteral("2026-03-04.log")),
             QByteArray("09:00:00 debug   0 old\n09:08:07 debug   0 first\n"));
    QCOMPARE(logFile(QStringLiteral("2026-03-05.log")), QByteArray("09:08:07 debug   0 second\n"));
    QVERIFY(readAll(QStringLiteral("config.ini")).contains("name=2026-03-05.log\n"));
}

void TestLogWriter::restartAppendsToTheNamedFile()
{
    logRelyMode = 1;
    TestClock clock(QDateTime(day, QTime(14, 3, 27)));
    {
        LogSaveTxt writer;
        record(writer, QStringLiteral("run 1"));
    }
    TestClock::advance(3600);
    LogSaveTxt writer;
    record(writer, QStringLiteral("run 2"));
    QCOMPARE(logFiles(), QStringList{QStringLiteral("2026-03-05 14-03-27.log")});
    QCOMPARE(logFile(QStringLiteral("2026-03-05 14-03-27.log")),
             QByteArray("09:08:07 debug   0 run 1\n09:08:07 debug   0 run 2\n"));
}

void TestLogWriter::sizeZeroStartsAFileEveryRecord()
{
    logRelyMode = 1;
    logSize = 0;
    TestClock clock(QDateTime(day, QTime(14, 3, 27)));
    LogSaveTxt writer;
    record(writer, QStringLiteral("1"));
    record(writer, QStringLiteral("2")); // same second: the same name, appended to
    TestClock::advance(1);
    record(writer, QStringLiteral("3"));
    TestClock::advance(1);
    record(writer, QStringLiteral("4"));
    QCOMPARE(logFiles(), (QStringList{QStringLiteral("2026-03-05 14-03-27.log"),
                                      QStringLiteral("2026-03-05 14-03-28.log"),
                                      QStringLiteral("2026-03-05 14-03-29.log")}));
    QCOMPARE(logFile(QStringLiteral("2026-03-05 14-03-27.log")),
             QByteArray("09:08:07 debug   0 1\n09:08:07 debug   0 2\n"));
    QCOMPARE(logFile(QStringLiteral("2026-03-05 14-03-29.log")),
             QByteArray("09:08:07 debug   0 4\n"));
    QCOMPARE(logName, QStringLiteral("2026-03-05 14-03-29.log"));
}

void TestLogWriter::sizeLimitIsTestedBeforeTheRecord()
{
    logRelyMode = 1;
    logSize = 1;
    TestClock clock(QDateTime(day, QTime(14, 0, 0)));
    LogSaveTxt writer;
    const QString big(1024 * 1024 - 100, QLatin1Char('a'));
    record(writer, big); // the file is now just under 1 MiB
    TestClock::advance(1);
    record(writer, big); // still under: goes in, one record past the limit
    TestClock::advance(1);
    record(writer, QStringLiteral("next"));
    QCOMPARE(logFiles(), (QStringList{QStringLiteral("2026-03-05 14-00-00.log"),
                                      QStringLiteral("2026-03-05 14-00-02.log")}));
    QCOMPARE(logFile(QStringLiteral("2026-03-05 14-00-00.log")).count('\n'), 2);
    QCOMPARE(logFile(QStringLiteral("2026-03-05 14-00-02.log")),
             QByteArray("09:08:07 debug   0 next\n"));
}

void TestLogWriter::size4096WrapsToZero()
{
    logRelyMode = 1;
    logSize = 4096; // 4096 MiB does not fit the 32-bit limit: it wraps to 0
    TestClock clock(QDateTime(day, QTime(14, 0, 0)));
    LogSaveTxt writer;
    record(writer, QStringLiteral("1"));
    TestClock::advance(1);
    record(writer, QStringLiteral("2"));
    QCOMPARE(logFiles().size(), 2);
}

void TestLogWriter::rowsThreePerFile()
{
    logRelyMode = 2;
    logRowNum = 3;
    TestClock clock(QDateTime(day, QTime(14, 0, 0)));
    LogSaveTxt writer;
    for (int i = 1; i <= 7; ++i) {
        record(writer, QString::number(i));
        TestClock::advance(1);
    }
    QCOMPARE(logFiles(), (QStringList{QStringLiteral("2026-03-05 14-00-00.log"),
                                      QStringLiteral("2026-03-05 14-00-03.log"),
                                      QStringLiteral("2026-03-05 14-00-06.log")}));
    QCOMPARE(logFile(QStringLiteral("2026-03-05 14-00-00.log")),
             QByteArray("09:08:07 debug   0 1\n09:08:07 debug   0 2\n09:08:07 debug   0 3\n"));
    QCOMPARE(logFile(QStringLiteral("2026-03-05 14-00-03.log")),
             QByteArray("09:08:07 debug   0 4\n09:08:07 debug   0 5\n09:08:07 debug   0 6\n"));
    QCOMPARE(logFile(QStringLiteral("2026-03-05 14-00-06.log")),
             QByteArray("09:08:07 debug   0 7\n"));
    QCOMPARE(logRowCount, 1u);
}

void TestLogWriter::rowsCountExistingLines()
{
    logRelyMode = 2;
    logRowNum = 3;
    // Two complete lines count as three pieces: one more record fits.
    writeFile(QStringLiteral("Log/old.log"), "a\nb\n");
    saveLogName(QStringLiteral("old.log"));
    TestClock clock(QDateTime(day, QTime(14, 0, 0)));
    LogSaveTxt writer;
    record(writer, QStringLiteral("c"));
    QCOMPARE(logRowCount, 3u);
    record(writer, QStringLiteral("d"));
    QCOMPARE(logFile(QStringLiteral("old.log")), QByteArray("a\nb\n09:08:07 debug   0 c\n"));
    QCOMPARE(logFile(QStringLiteral("2026-03-05 14-00-00.log")),
             QByteArray("09:08:07 debug   0 d\n"));
}

void TestLogWriter::setFileTypeCsvStartsANewFile()
{
    TestClock clock(QDateTime(day, QTime(10, 0)));
    LogSaveTxt writer;
    record(writer, QStringLiteral("txt"));
    writer.setFileType(LogSaveTxt::Csv);
    QVERIFY(logName.isEmpty());
    QVERIFY(readAll(QStringLiteral("config.ini")).contains("name=\n"));
    QCOMPARE(writer.fileType(), LogSaveTxt::Csv);
    record(writer, QStringLiteral("csv"));
    QCOMPARE(logFile(QStringLiteral("2026-03-05.log")), QByteArray("09:08:07 debug   0 txt\n"));
    QCOMPARE(logFile(QStringLiteral("2026-03-05.CSV")), QByteArray("09:08:07,debug,,,0,csv\n"));
    QCOMPARE(logName, QStringLiteral("2026-03-05.CSV"));
    // Setting the same type again still starts afresh; an unknown value keeps the formats.
    writer.setFileType(LogSaveTxt::Csv);
    QVERIFY(logName.isEmpty());
    writer.setFileType(LogSaveTxt::FileType(7));
    record(writer, QStringLiteral("again"));
    QCOMPARE(logFile(QStringLiteral("2026-03-05.CSV")),
             QByteArray("09:08:07,debug,,,0,csv\n09:08:07,debug,,,0,again\n"));
}

void TestLogWriter::fileTypeThroughThePropertySystem()
{
    TestClock clock(QDateTime(day, QTime(10, 0)));
    LogSaveTxt writer;
    QCOMPARE(writer.property("m_type").value<LogSaveTxt::FileType>(), LogSaveTxt::Txt);
    QVERIFY(writer.setProperty("m_type", QVariant::fromValue(LogSaveTxt::Csv)));
    QCOMPARE(writer.fileType(), LogSaveTxt::Csv);
    record(writer, QStringLiteral("x"));
    QCOMPARE(logFiles(), QStringList{QStringLiteral("2026-03-05.CSV")});
}

void TestLogWriter::relyModeOutsideTheRangeWritesNothing()
{
    TestClock clock(QDateTime(day, QTime(10, 0)));
    LogSaveTxt writer;
    for (quint32 mode : {3u, 0xffffffffu}) {
        logRelyMode = mode;
        record(writer, QStringLiteral("dropped"));
        QVERIFY(!writer.checkLogFile());
    }
    QVERIFY(logFiles().isEmpty());
    QVERIFY(logName.isEmpty());
    QCOMPARE(MessageRecorder::messages().size(), 0);
}

void TestLogWriter::openFailureWarnsOnceAndRecovers()
{
    const QString warning = QStringLiteral("打开日志文件失败");
    TestClock clock(QDateTime(day, QTime(10, 0)));
    LogSaveTxt writer;
    // A folder where the file should be: it cannot be opened, even by root.
    QVERIFY(QDir().mkdir(QStringLiteral("Log/2026-03-05.log")));
    qDebug("lost 1");
    qDebug("lost 2");
    // The warning is captured and queued back to the writer, where it fails to
    // open the file again: that must not warn again, or this would never end.
    drainEvents();
    QCOMPARE(MessageRecorder::count(warning), 1);
    drainEvents();
    QCOMPARE(MessageRecorder::count(warning), 1);
    QCOMPARE(logName, QStringLiteral("2026-03-05.log"));

    QVERIFY(QDir().rmdir(QStringLiteral("Log/2026-03-05.log")));
    qDebug("written");
    drainEvents();
    // The capture stamps the record with the test's clock too.
    QCOMPARE(logFile(QStringLiteral("2026-03-05.log")), QByteArray("10:00:00 debug   0 written\n"));
    // A new failure after a success warns again, once.
    TestClock::set(QDateTime(day.addDays(1), QTime(10, 0)));
    QVERIFY(QDir().mkdir(QStringLiteral("Log/2026-03-06.log")));
    record(writer, QStringLiteral("lost 3"));
    record(writer, QStringLiteral("lost 4"));
    drainEvents();
    QCOMPARE(MessageRecorder::count(warning), 2);
}

void TestLogWriter::missingLogFolderIsCreated()
{
    QVERIFY(QDir(QStringLiteral("Log")).removeRecursively());
    LogSaveTxt writer;
    QVERIFY(QFileInfo(QStringLiteral("Log")).isDir());
}

void TestLogWriter::unwritableLogFolder()
{
    // A plain file named Log: the folder can be neither created nor written.
    QVERIFY(QDir(QStringLiteral("Log")).removeRecursively());
    writeFile(QStringLiteral("Log"), "not a folder");
    TestClock clock(QDateTime(day, QTime(10, 0)));
    LogSaveTxt writer;
    record(writer, QStringLiteral("lost"));
    record(writer, QStringLiteral("lost"));
    drainEvents();
    QCOMPARE(MessageRecorder::count(QStringLiteral("打开日志文件失败")), 1);
    QVERIFY(QFile::remove(QStringLiteral("Log")));
    QVERIFY(QDir().mkdir(QStringLiteral("Log")));
    record(writer, QStringLiteral("back"));
    QCOMPARE(logFile(QStringLiteral("2026-03-05.log")), QByteArray("09:08:07 debug   0 back\n"));
}

void TestLogWriter::unwritableConfigStillLogs()
{
    QVERIFY(QDir().mkdir(QStringLiteral("config.ini")));
    TestClock clock(QDateTime(day, QTime(10, 0)));
    LogSaveTxt writer;
    record(writer, QStringLiteral("x"));
    QCOMPARE(logName, QStringLiteral("2026-03-05.log"));
    QCOMPARE(logFile(QStringLiteral("2026-03-05.log")), QByteArray("09:08:07 debug   0 x\n"));
}

QTEST_GUILESS_MAIN(TestLogWriter)
#include "tst_log_writer.moc"
