// The program as a process, started as main starts it by window_probe:
// termination signals close it as an accepted close would (with the save
// dialog open, without a report), a killed program leaves the journal of the
// points it finished, and a second copy is turned away.
#include "OfficeFiles.h"
#include "SimProcess.h"

#include <QtTest>

#include <QTemporaryDir>

#include <csignal>

namespace {
const QString readFrame = QStringLiteral("21 52 05 78 0D");
const QString unlinkFrame = QStringLiteral("21 53 05 79 0D");

QString probePath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/window_probe");
}

QByteArray bytes(const QString &folder, const QString &name)
{
    QByteArray found;
    const QDir files(folder + QLatin1Char('/') + name);
    for (const QString &file : files.entryList(QDir::Files, QDir::Name))
        found += OfficeFiles::read(files.filePath(file));
    return found;
}

// The run journal's lines, without the byte order mark.
QStringList journalLines(const QString &folder)
{
    return QString::fromUtf8(bytes(folder, QStringLiteral("Results")).mid(3)).split("\r\n");
}
} // namespace

class TestProgram : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void endings_data();
    void endings();
    void secondCopyIsTurnedAway();

private:
    QTemporaryDir m_runtime;
};

// A runtime folder of this test's own for the guard, so that parallel runs
// cannot collide; the built templates beside the probe, as beside the program
// in its build folder, so that an export the signal fails to stop would write
// a report there.
void TestProgram::initTestCase()
{
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
    const QString templates = QCoreApplication::applicationDirPath() + QStringLiteral("/doc");
    QVERIFY(QFileInfo(templates).isDir() ||
            QFile::link(OfficeFiles::built(QStringLiteral("doc")), templates));
}

void TestProgram::endings_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<int>("points");
    QTest::addColumn<bool>("exporting");
    QTest::newRow("SIGTERM during a run") << int(SIGTERM) << 6 << false;
    QTest::newRow("SIGINT during a run") << int(SIGINT) << 6 << false;
    QTest::newRow("SIGHUP while connected") << int(SIGHUP) << 0 << false;
    QTest::newRow("SIGTERM with the save dialog open") << int(SIGTERM) << 1 << true;
    QTest::newRow("SIGKILL during a run") << int(SIGKILL) << 6 << false;
}

// Once the journal holds two finished points, the save dialog is open, or the
// window has connected: a termination signal ends the run, unlinks the
// calibrator (the last frame on the line), logs why, writes no report and
// exits with 0; a killed program leaves the journal's header and whole lines
// for the points it finished.
void TestProgram::endings()
{
    QFETCH(int, signalNumber);
    QFETCH(int, points);
    QFETCH(bool, exporting);
    QTemporaryDir folder;
    const QString link = folder.filePath(QStringLiteral("ttyRT58"));
    SimProcess sim;
    QVERIFY(sim.start(link, {"--delay", "300"}));
    QProcess probe;
    probe.setWorkingDirectory(folder.path());
    probe.start(probePath(), {link, QString::number(points), exporting ? "export" : ""});
    QVERIFY(probe.waitForStarted());
    QByteArray said;
    if (exporting)
        QTRY_VERIFY_WITH_TIMEOUT((said += probe.readAllStandardOutput()).contains("dialog"), 10000);
    else if (points == 0)
        QTRY_VERIFY(sim.receivedFrames().contains(readFrame));
    else
        QTRY_VERIFY_WITH_TIMEOUT(journalLines(folder.path()).size() >= 4, 20000);
    ::kill(static_cast<pid_t>(probe.processId()), signalNumber);
    QVERIFY(probe.waitForFinished(10000));

    if (signalNumber == SIGKILL) {
        QCOMPARE(probe.exitStatus(), QProcess::CrashExit);
        const QStringList lines = journalLines(folder.path());
        QVERIFY2(lines.size() >= 4 && lines.size() < 8, qPrintable(lines.join('\n')));
        QCOMPARE(lines.first(), QStringLiteral("序号,幅值,频率,控制幅值,灵敏度,速度,位移"));
        QCOMPARE(lines.last(), QString());
        for (int row = 1; row + 1 < lines.size(); ++row) {
            const QRegularExpression line(
                QString("^%1,10.00,%2.00,[0-9.]+ ms\\^-2,[0-9.]+ Pc/ms\\^-2,[0-9.]+ mms\\^-1,"
                        "[0-9.]+ um$")
                    .arg(row)
                    .arg(90 + 10 * row));
            QVERIFY2(line.match(lines.at(row)).hasMatch(), qPrintable(lines.at(row)));
        }
        return;
    }
    QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
    QCOMPARE(probe.exitCode(), 0);
    QTRY_COMPARE(sim.receivedFrames().value(sim.receivedFrames().size() - 1), unlinkFrame);
    QCOMPARE(sim.receivedFrames().count(unlinkFrame), 1);
    QVERIFY(sim.receivedFrames().filter("21 56 ").size() < qMax(points, 1));
    QVERIFY(QString::fromUtf8(bytes(folder.path(), "Log"))
                .contains(QString("收到终止信号 %1").arg(signalNumber)));
    for (const QString &reports : {folder.path(), QCoreApplication::applicationDirPath()})
        QCOMPARE(QDir(reports).entryList({"*.docx"}), QStringList());
}

// A copy started while another runs shows the box and exits with 255; the
// first goes on.
void TestProgram::secondCopyIsTurnedAway()
{
    QTemporaryDir folder;
    QProcess first, second;
    // The first holds the guard once its window is shown.
    for (QProcess *program : {&first, &second}) {
        program->setWorkingDirectory(folder.path());
        program->start(probePath(), QStringList());
        QVERIFY(program->waitForReadyRead(10000) || program == &second);
    }
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.exitCode(), 255);
    QCOMPARE(second.readAllStandardOutput(), QByteArray("警告: 应用程序已经在运行中！\n"));
    QCOMPARE(first.state(), QProcess::Running);
    first.kill();
    QVERIFY(first.waitForFinished());
}

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
