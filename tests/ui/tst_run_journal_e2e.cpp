// The run journal with the real main window against the simulated
// calibrator: each point's row is on disk while the run goes on, and a
// program killed mid-run leaves the points it finished.
#include "SimProcess.h"
#include "WorkbenchDriver.h"
#include "export/TableTexts.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QByteArray byteOrderMark("\xEF\xBB\xBF");

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList journals(const QString &folder)
{
    QStringList paths;
    const QDir results(folder + QStringLiteral("/Results"));
    for (const QString &name : results.entryList({"*.csv"}, QDir::Files, QDir::Name))
        paths << results.filePath(name);
    return paths;
}

// The journal's lines, without the byte order mark.
QStringList journalLines(const QString &path)
{
    const QByteArray bytes = readFile(path);
    if (!bytes.startsWith(byteOrderMark))
        return {"no byte order mark: " + QString::fromUtf8(bytes)};
    return QString::fromUtf8(bytes.mid(byteOrderMark.size())).split("\r\n");
}

QString csvRow(const QStringList &cells)
{
    return cells.join(QLatin1Char(','));
}
} // namespace

class TestRunJournalEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_link = m_dir.filePath(QStringLiteral("ttyRT58"));
        qputenv("RT58_EXTRA_PORTS", m_link.toLocal8Bit());
        QDir(QStringLiteral("Results")).removeRecursively();
    }

    void cleanup() { m_sim.stop(); }

    void rowOnDiskWhileTheRunGoesOn();
    void killedProgramKeepsFinishedPoints();

private:
    QTemporaryDir m_dir;
    QString m_link;
    SimProcess m_sim;
};

// Checked between the first point's result and the second's: the file holds
// the header and the first row as the table shows them. A second run gets
// its own file.
void TestRunJournalEndToEnd::rowOnDiskWhileTheRunGoesOn()
{
    QVERIFY(m_sim.start(m_link, {"--delay", "400"}));
    MainWindow window;
    window.show();
    WorkbenchDriver driver(window);
    QVERIFY(driver.connectTo(m_link));
    for (const char *frequency : {"100", "160", "1000"})
        driver.addPoint("10", frequency);
    const auto *table = driver.widget<QTableWidget>("tableWidget");
    QStringList duringRun;
    QStringList tableDuringRun;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        const QTableWidgetItem *second = table->item(1, 3);
        if (!duringRun.isEmpty() || !table->item(0, 3) || table->item(0, 3)->text().isEmpty() ||
            (second && !second->text().isEmpty()))
            return;
        const QStringList files = journals(QDir::currentPath());
        duringRun = files.isEmpty() ? QStringList{"no journal"} : journalLines(files.last());
        tableDuringRun = QStringList{csvRow(TableTexts::header(table)),
                                     csvRow(TableTexts::row(table, 0)), QString()};
    });
    poll.start(20);
    driver.click("startBtn");
    poll.stop();
    QCOMPARE(duringRun, tableDuringRun);
    QVERIFY(tableDuringRun.at(1).contains("Pc/ms^-2"));

    const QStringList files = journals(QDir::currentPath());
    QCOMPARE(files.size(), 1);
    QStringList expected{csvRow(TableTexts::header(table))};
    for (int row = 0; row < table->rowCount(); ++row)
        expected << csvRow(TableTexts::row(table, row));
    QCOMPARE(journalLines(files.first()), expected << QString());

    driver.click("startBtn");
    QCOMPARE(journals(QDir::currentPath()).size(), 2);
}

// The program is killed while its third point runs: the journal holds the
// header and the finished points, each a whole line.
void TestRunJournalEndToEnd::killedProgramKeepsFinishedPoints()
{
    QVERIFY(m_sim.start(m_link, {"--delay", "300"}));
    QTemporaryDir work;
    QProcess probe;
    probe.setWorkingDirectory(work.path());
    probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    probe.start(QCoreApplication::applicationDirPath() + QStringLiteral("/journal_probe"),
                {m_link, QStringLiteral("6")});
    QVERIFY(probe.waitForStarted());
    QStringList lines;
    QTRY_VERIFY_WITH_TIMEOUT(!journals(work.path()).isEmpty() &&
                                 (lines = journalLines(journals(work.path()).first())).size() >= 4,
                             20000);
    probe.kill();
    QVERIFY(probe.waitForFinished());
    QCOMPARE(probe.exitStatus(), QProcess::CrashExit);

    lines = journalLines(journals(work.path()).first());
    QVERIFY2(lines.size() >= 4 && lines.size() < 8, qPrintable(lines.join('\n')));
    QCOMPARE(lines.first(), QStringLiteral("序号,幅值,频率,控制幅值,灵敏度,速度,位移"));
    QCOMPARE(lines.last(), QString());
    for (int row = 1; row < lines.size() - 1; ++row) {
        const QString frequency = QString::number(100 + 10 * (row - 1)) + ".00";
        QVERIFY2(QRegularExpression(QStringLiteral("^%1,10.00,%2,[0-9.]+ ms\\^-2,[0-9.]+ "
                                                   "Pc/ms\\^-2,[0-9.]+ mms\\^-1,[0-9.]+ um$")
                                        .arg(row)
                                        .arg(frequency))
                     .match(lines.at(row))
                     .hasMatch(),
                 qPrintable(lines.at(row)));
    }
}

QTEST_MAIN(TestRunJournalEndToEnd)
#include "tst_run_journal_e2e.moc"
