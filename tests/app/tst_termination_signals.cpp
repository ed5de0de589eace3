// Termination signals close RT-58 as an accepted close would. First the signal
// catcher on its own; then the real program under the virtual X server,
// connected to the simulated calibrator by clicks at the places where a copy of
// its window in this process has its widgets, and sent SIGTERM, SIGINT or
// SIGHUP while connected, during a run or with the report's save dialog open.
#include "SimProcess.h"
#include "app/ApplicationAttributes.h"
#include "app/ShutdownSignals.h"
#include "ui/MainWindow.h"

#include <QtTest>

#include <QTemporaryDir>

#include <csignal>

namespace {
const QString readFrame = QStringLiteral("21 52 05 78 0D");
const QString unlinkFrame = QStringLiteral("21 53 05 79 0D");

QString xdotool(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    process.waitForFinished(15000);
    return QString::fromLatin1(process.readAllStandardOutput()).trimmed();
}

QString logText(const QString &folder)
{
    QString text;
    const QDir logs(folder + QStringLiteral("/Log"));
    for (const QString &name : logs.entryList(QDir::Files)) {
        QFile file(logs.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            text += QString::fromUtf8(file.readAll());
    }
    return text;
}
} // namespace

class TestTerminationSignals : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void signalsArriveThroughTheEventLoop();
    void programUnlinksAndExitsCleanly_data();
    void programUnlinksAndExitsCleanly();

private:
    void click(const QString &window, const char *widgetName);

    // Centres of the widgets the test clicks, relative to the window, in device
    // pixels.
    QHash<QString, QPoint> m_centres;
};

// The program's window and this copy of it share the screen, the fonts and
// the layout, so the copy tells where the program's buttons are.
void TestTerminationSignals::initTestCase()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    MainWindow copy;
    copy.show();
    QVERIFY(QTest::qWaitForWindowExposed(&copy));
    QTest::qWait(200);
    // xdotool counts device pixels; the window may be scaled to the screen's DPI.
    const qreal ratio = copy.devicePixelRatioF();
    for (const char *name :
         {"serialPortComboBox", "connectBtn", "addBtn", "startBtn", "exportBtn"}) {
        const auto *widget = copy.findChild<QWidget *>(QString::fromLatin1(name));
        m_centres.insert(QString::fromLatin1(name),
                         widget->mapTo(&copy, widget->rect().center()) * ratio);
    }
}

// A signal only writes a byte; the Qt signal follows from the event loop, in
// the order the signals came.
void TestTerminationSignals::signalsArriveThroughTheEventLoop()
{
    ShutdownSignals catcher;
    QVERIFY(catcher.isValid());
    QList<int> received;
    connect(&catcher, &ShutdownSignals::received, this,
            [&received](int signalNumber) { received << signalNumber; });
    std::raise(SIGTERM);
    std::raise(SIGHUP);
    QVERIFY(received.isEmpty());
    QTRY_COMPARE(received, (QList<int>{SIGTERM, SIGHUP}));
}

void TestTerminationSignals::programUnlinksAndExitsCleanly_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<bool>("duringRun");
    QTest::addColumn<bool>("duringExport");
    QTest::newRow("SIGTERM during a run") << int(SIGTERM) << true << false;
    QTest::newRow("SIGINT during a run") << int(SIGINT) << true << false;
    QTest::newRow("SIGHUP while connected") << int(SIGHUP) << false << false;
    QTest::newRow("SIGTERM with the save dialog open") << int(SIGTERM) << false << true;
}

// The program unlinks the calibrator, leaves no vibrate command standing after
// the unlink frame, logs why it ends and exits with 0. A closing program
// writes no report, where the program keeps its reports nor anywhere else.
void TestTerminationSignals::programUnlinksAndExitsCleanly()
{
    if (m_centres.isEmpty() || QStandardPaths::findExecutable("xdotool").isEmpty())
        QSKIP("needs an X server and xdotool");
    QFETCH(int, signalNumber);
    QFETCH(bool, duringRun);
    QFETCH(bool, duringExport);
    QTemporaryDir folder;
    const QString link = folder.filePath("ttyRT58");
    SimProcess sim;
    QVERIFY(sim.start(link, {"--delay", "1500"}));
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.insert("RT58_EXTRA_PORTS", link);
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(folder.path());
    program.start(qEnvironmentVariable("RT58_BINARY_DIR") + QStringLiteral("/RT-58"),
                  QStringList());
    QVERIFY(program.waitForStarted());
    const QString window = xdotool({"search", "--sync", "--onlyvisible", "--pid",
                                    QString::number(program.processId())})
                               .section(QLatin1Char('\n'), 0, 0);
    QVERIFY(!window.isEmpty());

    // The ports named in RT58_EXTRA_PORTS head the list.
    click(window, "serialPortComboBox");
    QTest::qWait(500);
    xdotool({"key", "Home", "Return"});
    QTest::qWait(300);
    click(window, "connectBtn");
    QTRY_VERIFY_WITH_TIMEOUT(sim.receivedFrames().contains(readFrame), 10000);
    if (duringRun) {
        click(window, "addBtn");
        click(window, "addBtn");
        click(window, "startBtn");
        QTRY_VERIFY_WITH_TIMEOUT(!sim.receivedFrames().filter("21 56 ").isEmpty(), 10000);
    }
    const QDir programFolder(qEnvironmentVariable("RT58_BINARY_DIR"));
    const QStringList reports = programFolder.entryList({"*.docx"}, QDir::Files);
    if (duringExport) {
        click(window, "addBtn");
        click(window, "exportBtn");
        QVERIFY(
            !xdotool({"search", "--sync", "--onlyvisible", "--name", "保存文件对话框"}).isEmpty());
    }

    ::kill(static_cast<pid_t>(program.processId()), signalNumber);
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QTRY_COMPARE(sim.receivedFrames().last(), unlinkFrame);
    QCOMPARE(sim.receivedFrames().count(unlinkFrame), 1);
    QCOMPARE(sim.receivedFrames().filter("21 56 ").size(), duringRun ? 1 : 0);
    QVERIFY(logText(folder.path()).contains(QStringLiteral("收到终止信号 %1").arg(signalNumber)));
    QCOMPARE(programFolder.entryList({"*.docx"}, QDir::Files), reports);
    QCOMPARE(QDir(folder.path()).entryList({"*.docx"}, QDir::Files), QStringList());
}

void TestTerminationSignals::click(const QString &window, const char *widgetName)
{
    const QPoint centre = m_centres.value(QString::fromLatin1(widgetName));
    xdotool({"mousemove", "--window", window, QString::number(centre.x()),
             QString::number(centre.y()), "click", "1"});
}

// Under the virtual X server the copy of the window is laid out on the same
// screen as the program's, with the program's application attributes.
int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    ApplicationAttributes::apply();
    QApplication app(argc, argv);
    TestTerminationSignals test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_termination_signals.moc"
