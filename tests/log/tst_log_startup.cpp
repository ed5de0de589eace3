// Logging as start-up leaves it: the program's writer created through
// LogSaveTxt::instance() over a ./config.ini left by an earlier run, and every
// Qt message of every thread arriving in ./Log/ through the event loop.

#include "LogTestSupport.h"

#include "app/GlobalState.h"
#include "log/LogInput.h"
#include "log/LogSaveTxt.h"

#include <QThread>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <vector>

using namespace logtest;

class TestLogStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void startUpCreatesTheFolderAndReadsTheSettings();
    void yesterdaysFileThenTodays();
    void everyLevelEndToEnd();
    void emptyMessagesAreNotWritten();
    void eachThreadKeepsItsOrder();
    void cleanupTestCase();

private:
    std::unique_ptr<TestClock> m_clock;
};

namespace {
void writeAllPosted()
{
    QCoreApplication::sendPostedEvents();
}

QList<QByteArray> linesOf(const QString &name)
{
    QList<QByteArray> lines = logFile(name).split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}
} // namespace

void TestLogStartup::initTestCase()
{
    clearWorkFolder();
    // An earlier run stopped yesterday, writing one file per half day.
    writeFile(
        QStringLiteral("config.ini"),
        "[LogConfig]\nrelyMode=0\ntime=12\nsize=100\nname=2026-03-04_\\x4e0b.log\nrowNum=1000\n");
    QVERIFY(!QFileInfo::exists(QStringLiteral("Log")));
    MessageRecorder::install();
    m_clock.reset(new TestClock(QDateTime(QDate(2026, 3, 5), QTime(8, 30))));
    qDebug("before logging starts");
    LogSaveTxt *writer = LogSaveTxt::instance();
    QVERIFY(writer);
    QCOMPARE(LogSaveTxt::instance(), writer);
    QCOMPARE(writer->thread(), QThread::currentThread());
}

void TestLogStartup::startUpCreatesTheFolderAndReadsTheSettings()
{
    QVERIFY(QFileInfo(QStringLiteral("Log")).isDir());
    QVERIFY(logFiles().isEmpty());
    QCOMPARE(logRelyMode, 0u);
    QCOMPARE(logTime, 12u);
    QCOMPARE(logName, QStringLiteral("2026-03-04_下.log"));
    QCOMPARE(LogSaveTxt::instance()->fileType(), LogSaveTxt::Txt);
}

void TestLogStartup::yesterdaysFileThenTodays()
{
    qDebug("first");
    qDebug("second");
    // Nothing is written before the event loop hands the records over.
    QVERIFY(logFiles().isEmpty());
    writeAllPosted();
    QCOMPARE(logFiles(), (QStringList{QStringLiteral("2026-03-04_下.log"),
                                      QStringLiteral("2026-03-05_上.log")}));
    QCOMPARE(logFile(QStringLiteral("2026-03-04_下.log")),
             QByteArray("08:30:00 debug   0 first\n"));
    QCOMPARE(logFile(QStringLiteral("2026-03-05_上.log")),
             QByteArray("08:30:00 debug   0 second\n"));
    QCOMPARE(logName, QStringLiteral("2026-03-05_上.log"));
    QVERIFY(readAll(QStringLiteral("config.ini")).contains("name=2026-03-05_\xe4\xb8\x8a.log\n"));
}

void TestLogStartup::everyLevelEndToEnd()
{
    m_clock->set(QDateTime(QDate(2026, 3, 5), QTime(13, 0, 1)));
    qInfo("i");
    qWarning("w %d", 2);
    qCritical() << "c" << 3;
    writeAllPosted();
    QCOMPARE(
        logFile(QStringLiteral("2026-03-05_下.log")),
        QByteArray("13:00:01 info   0 i\n13:00:01 warning   0 w 2\n13:00:01 critical   0 c 3\n"));
}

void TestLogStartup::emptyMessagesAreNotWritten()
{
    const QByteArray before = logFile(QStringLiteral("2026-03-05_下.log"));
    MessageRecorder::clear();
    qDebug("%s", "");
    writeAllPosted();
    QCOMPARE(logFile(QStringLiteral("2026-03-05_下.log")), before);
    QCOMPARE(MessageRecorder::count(QString()), 1);
}

void TestLogStartup::eachThreadKeepsItsOrder()
{
    constexpr int threadCount = 4;
    constexpr int perThread = 5000;
    const QString name = QStringLiteral("2026-03-05_下.log");
    const int before = linesOf(name).size();
    std::vector<std::unique_ptr<QThread>> threads;
    for (int t = 0; t < threadCount; ++t) {
        threads.emplace_back(QThread::create([t] {
            for (int i = 0; i < perThread; ++i)
                qDebug("thread %d message %d", t, i);
        }));
    }
    for (auto &thread : threads)
        thread->start();
    // The main thread writes while the others are still emitting.
    while (std::any_of(threads.begin(), threads.end(), [](auto &t) { return !t->isFinished(); }))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    for (auto &thread : threads)
        QVERIFY(thread->wait(10000));
    writeAllPosted();

    const QList<QByteArray> lines = linesOf(name).mid(before);
    QCOMPARE(lines.size(), threadCount * perThread);
    int next[threadCount] = {};
    for (const QByteArray &line : lines) {
        const QList<QByteArray> words = line.split(' ');
        QCOMPARE(words.size(), 9);
        QCOMPARE(words[1], QByteArray("debug"));
        const int t = words[6].toInt();
        QVERIFY(t >= 0 && t < threadCount);
        QCOMPARE(words[8].toInt(), next[t]);
        ++next[t];
    }
    for (int t = 0; t < threadCount; ++t)
        QCOMPARE(next[t], perThread);
}

void TestLogStartup::cleanupTestCase()
{
    m_clock.reset();
}

QTEST_GUILESS_MAIN(TestLogStartup)
#include "tst_log_startup.moc"
