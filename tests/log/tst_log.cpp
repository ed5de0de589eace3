// Logging observed on the files it leaves in the working folder: ./config.ini
// and the log files in ./Log/. Writers are handed records directly, as the
// queued connection would, or receive them from qDebug through the capture.
// A new rotation case is a row of rotation_data().
#include "OfficeFiles.h"
#include "app/GlobalState.h"
#include "log/LogClock.h"
#include "log/LogInput.h"
#include "log/LogSaveTxt.h"

#include <QTextCodec>
#include <QtTest>

#include <atomic>

namespace {
const QDate day(2026, 3, 5);
QDateTime clockNow;
std::atomic<int> openFailures{0};

// Stands before the capture as Qt's previous handler: counts the open
// failures instead of printing.
void previousHandler(QtMsgType, const QMessageLogContext &, const QString &msg)
{
    if (msg == QStringLiteral("打开日志文件失败"))
        ++openFailures;
}

QByteArray logFile(const QString &name)
{
    return OfficeFiles::read("Log/" + name);
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

void resetLogFolder()
{
    QDir(QStringLiteral("Log")).removeRecursively();
    QFile::remove(QStringLiteral("Log"));
    QVERIFY(QDir().mkdir(QStringLiteral("Log")));
}
} // namespace

class TestLog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void recordLines();
    void rotation_data();
    void rotation();
    void sizeCountsWhatAnotherCopyAppends();
    void openFailureWarnsOnceAndRecovers();
};

// The first run writes the defaults; reading them back proves they are there.
void TestLog::initTestCase()
{
    QFile::remove(QStringLiteral("config.ini"));
    qInstallMessageHandler(&previousHandler);
    LogClock::setSource([] { return clockNow; });
    LogInput::instance();
    QCOMPARE(QString("%1 %2 %3 %4").arg(logRelyMode).arg(logTime).arg(logSize).arg(logRowNum),
             QString("0 24 100 1000"));
}

void TestLog::init()
{
    QFile::remove(QStringLiteral("config.ini"));
    QFile::remove(QStringLiteral("../escape.log"));
    resetLogFolder();
    logRelyMode = logTime = 0;
    logName.clear();
    clockNow = QDateTime(day, QTime(10, 0));
}

// A Csv record's fields are quoted as spreadsheet programs read them, and
// the text is UTF-8 even under an 8-bit locale.
void TestLog::recordLines()
{
    QTextCodec *const localeCodec = QTextCodec::codecForLocale();
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("ISO-8859-1"));
    {
        LogSaveTxt writer;
        writer.setFileType(LogSaveTxt::Csv);
        writer.saveLog(QtWarningMsg, QTime(9, 8, 7), "a.cpp", "f(int, char)", 7, "说 \"hi\"\nbye");
    }
    QTextCodec::setCodecForLocale(localeCodec);
    QCOMPARE(logFiles(), QStringList{"2026-03-05.CSV"});
    QCOMPARE(QString::fromUtf8(logFile("2026-03-05.CSV")),
             QString("09:08:07,warning,a.cpp,\"f(int, char)\",7,\"说 \"\"hi\"\"\nbye\"\n"));
}

// One row a case: config.ini's LogConfig keys; names in ./Log made folders,
// which nobody can open as files; what the configured file holds already
// ("1 MiB", "1 MiB+", "2 lines"); the start time; the records as "<seconds
// after the start> <message>" ("Csv" switches the file type); and the files
// started, in order, as "<name>: <messages>".
void TestLog::rotation_data()
{
    QTest::addColumn<QString>("example");
    const auto row = [](const char *name, const char *example) {
        QTest::newRow(name) << QString(example);
    };
    row("no group: by day", "[Other] relyMode=1 | | | 23:59:59 | 0 a, 1 b, 1 c | 2026-03-05.log: "
                            "a; 2026-03-06.log: b c");
    row("half day",
        "time=12 | | | 12:59:59 | 0 a, 1 b | 2026-03-05_上.log: a; 2026-03-05_下.log: b");
    row("3 rows", "relyMode=2 rowNum=3 | | | 14:00:00 | 0 1, 1 2, 2 3, 3 4 | 2026-03-05 "
                  "14-00-00.log: 1 2 3; 2026-03-05 14-00-03.log: 4");
    // Two complete lines count as three rows: two more records fill the file.
    row("rows on restart", "relyMode=2 rowNum=4 name=old.log | | 2 lines | 14:00:00 | 0 a, 1 b, 2 "
                           "c | old.log: a b; 2026-03-05 14-00-02.log: c");
    // A file named on restart is opened as it is; the next record finds the limit.
    row("size: restart at the limit", "relyMode=1 size=1 name=old.log | | 1 MiB | 14:00:00 | 0 a, "
                                      "1 b, 2 c | old.log: a; 2026-03-05 14-00-01.log: b c");
    row("size: restart over the limit", "relyMode=1 size=1 name=old.log | | 1 MiB+ | 14:00:00 | 0 "
                                        "a, 1 b | old.log: a; 2026-03-05 14-00-01.log: b");
    // A name that cannot be opened (left by another user, say) gives way to a
    // new file by the rules of the mode, and logging goes on.
    row("unopenable name, by size", "relyMode=1 size=1 name=locked.log | locked.log | | 10:00:00 | "
                                    "0 a, 1 b | 2026-03-05 10-00-00.log: a b");
    row("unopenable name, by rows", "relyMode=2 rowNum=5 name=locked.log | locked.log | | 10:00:00 "
                                    "| 0 a, 1 b | 2026-03-05 10-00-00.log: a b");
    // The day's own file cannot be opened: a file named by the time stands in
    // for it until the next day.
    row("unopenable day file", " | 2026-03-05.log | | 23:59:58 | 0 a, 1 b, 2 c | 2026-03-05 "
                               "23-59-58.log: a b; 2026-03-06.log: c");
    // The name never leads out of ./Log.
    row("escaping name, by size",
        "relyMode=1 name=../../escape.log | | | 10:00:00 | 0 a | 2026-03-05 10-00-00.log: a");
}

void TestLog::rotation()
{
    QFETCH(QString, example);
    QStringList parts;
    for (const QString &part : example.split('|'))
        parts << part.trimmed();
    const QByteArray group = parts.at(0).startsWith('[') ? QByteArray() : "[LogConfig]\n";
    OfficeFiles::write("config.ini", group + parts.at(0).toUtf8().replace(' ', '\n') + '\n');
    loadLogConfig();
    const QString firstName = logName;
    for (const QString &name : parts.at(1).split(' ', Qt::SkipEmptyParts))
        QVERIFY(QDir(QStringLiteral("Log")).mkdir(name));
    const QByteArray oneMiB(1048576, '\n');
    const QMap<QString, QByteArray> contents{
        {"1 MiB", oneMiB}, {"1 MiB+", oneMiB + "over\n"}, {"2 lines", "x\ny\n"}};
    const QByteArray existing = contents.value(parts.at(2));
    if (!existing.isEmpty())
        OfficeFiles::write("Log/" + firstName, existing);
    const QDateTime start(day, QTime::fromString(parts.at(3), "HH:mm:ss"));
    LogSaveTxt writer;
    for (const QString &step : parts.at(4).split(", ")) {
        if (step == QLatin1String("Csv"))
            writer.setFileType(LogSaveTxt::Csv);
        clockNow = start.addSecs(step.section(' ', 0, 0).toInt());
        if (step != QLatin1String("Csv"))
            record(writer, step.section(' ', 1));
    }
    QStringList names;
    for (const QString &file : parts.at(5).split("; ")) {
        names << file.section(": ", 0, 0);
        QByteArray lines = names.last() == firstName ? existing : QByteArray();
        for (const QString &msg : file.section(": ", 1).split(' '))
            lines += recordLine(names.last(), msg);
        QCOMPARE(logFile(names.last()), lines);
    }
    const QString lastName = names.last();
    names.sort();
    QCOMPARE(logFiles(), names);
    QVERIFY(QDir("..").entryList({"*.log"}, QDir::Files).isEmpty());
    loadLogConfig(); // a restart carries on with the file last started
    QCOMPARE(logName, lastName);
}

// What another copy of the program appends to the same file counts towards
// the size limit, from this writer's next record on.
void TestLog::sizeCountsWhatAnotherCopyAppends()
{
    OfficeFiles::write("config.ini", "[LogConfig]\nrelyMode=1\nsize=1\n");
    loadLogConfig();
    LogSaveTxt writer;
    const QString first = QStringLiteral("2026-03-05 10-00-00.log");
    record(writer, QStringLiteral("a"));
    const QByteArray appended(1048576, '\n');
    QFile other("Log/" + first);
    QVERIFY(other.open(QIODevice::WriteOnly | QIODevice::Append) && other.write(appended) > 0);
    other.close();
    clockNow = clockNow.addSecs(1);
    record(writer, QStringLiteral("b"));
    record(writer, QStringLiteral("c"));
    QCOMPARE(logFile(first), recordLine(first, "a") + appended + recordLine(first, "b"));
    QCOMPARE(logFile("2026-03-05 10-00-01.log"), recordLine(first, "c"));
}

// A plain file where the folder should be: nothing opens in it, even for
// root. The warning comes back through the capture as a record that fails
// too, and is given once; the next record after the folder is back is written.
void TestLog::openFailureWarnsOnceAndRecovers()
{
    LogSaveTxt writer;
    QVERIFY(QDir("Log").removeRecursively());
    OfficeFiles::write("Log", "not a folder");
    openFailures = 0;
    record(writer, QStringLiteral("lost"));
    record(writer, QStringLiteral("lost"));
    drain();
    QCOMPARE(int(openFailures), 1);
    resetLogFolder();
    record(writer, QStringLiteral("back"));
    QCOMPARE(logFile("2026-03-05.log"), recordLine("2026-03-05.log", "back"));
}

QTEST_GUILESS_MAIN(TestLog)
#include "tst_log.moc"
