// The test workbench through the real main window, as a technician drives
// it, against a calibrator scripted by each case or the simulated one: runs
// that end in every way a run can end, on a line that misbehaves or sends
// what nobody asked for, and closing the window. A new case is a row of
// runs_data() or closing_data().
#include "Workbench.h"
#include "app/GlobalState.h"
#include "device/Config.h"
#include "device/Frame.h"

#include <QtTest>

#include <QLabel>
#include <QProgressBar>

namespace {
enum Action_e
{
    NoAction,
    Stop,
    StopAndRestart,
    DoubleClickStop,
    LoseLine,
    RunAgainAfterReconnect,
};

const QString failed = QStringLiteral("测试失败");
const QString closeQuestion = QStringLiteral("警告: 当前设备正处于连接状态，即将断开连接！");

// How a scripted calibrator answers each vibrate frame: after a delay, with
// the frame's point number or a fixed one; some bytes go in front of the
// answer to the frame with the given index; "repeat" sends the previous
// answer again first, "stray" follows the second answer by an unasked reply.
struct Line
{
    int delayMs = 0;
    int number = -1;
    QByteArray before{};
    int beforeFrame = -1;
    bool repeat = false;
    bool stray = false;
};

ScriptedCalibrator::Script answering(const Line &line)
{
    return [line, previous = QByteArray()](const QByteArray &command, int index) mutable {
        const int amplitudeCount = 2 * ScriptedCalibrator::amplitudeCode(command);
        const int number = line.number < 0 ? ScriptedCalibrator::pointNumber(command) : line.number;
        const QByteArray answer = ScriptedCalibrator::pointReply(number, amplitudeCount, 400);
        QList<ScriptedCalibrator::Write> writes{
            {line.delayMs, (index == line.beforeFrame ? line.before : QByteArray()) + answer}};
        if (line.repeat && !previous.isEmpty())
            writes.prepend({0, previous});
        if (line.stray && index == 1)
            writes.append({300, ScriptedCalibrator::pointReply(1, 800, 999)});
        previous = answer;
        return writes;
    };
}

// The link status, then whether a new run can be started.
QString runState(Workbench &bench)
{
    const auto *start = bench.widget<QPushButton>("startBtn");
    const bool startable = start->isEnabled() && !start->isChecked() && !config->testRunning();
    return bench.widget<QLabel>("connectStatusLabel")->text() + (startable ? " start" : "");
}

} // namespace

Q_DECLARE_METATYPE(Workbench::Calibrator)
Q_DECLARE_METATYPE(Action_e)

class TestWorkbench : public QObject
{
    Q_OBJECT

private slots:
    void schemeEditing();
    void runs_data();
    void runs();
    void typesReadDuringARunWaitForItsEnd();
    void echoingCalibratorIsRememberedAcrossARestart();
    void closing_data();
    void closing();
};

void TestWorkbench::schemeEditing()
{
    Workbench bench;
    for (const char *amplitude : {"0", "50.01", "1.2.3", "１０"})
        bench.addPoint(amplitude, "160");
    bench.addPoint("10", "9.99");
    QCOMPARE(bench.answerer().seen(),
             (QStringList{"提示信息: 幅值必须在0-50以内", "提示信息: 频率必须在10-10000以内"}));
    bench.click("modifyBtn");
    QCOMPARE(bench.answerer().seen().value(2), QString("提示信息: 请先选择一行"));
    auto *table = bench.widget<QTableWidget>("tableWidget");
    table->setCurrentCell(0, 0);
    bench.click("deleteBtn");
    const QRect cell = table->visualItemRect(table->item(1, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(bench.widget<QLineEdit>("amplitudeLineEdit")->text(), QString("10.00"));
    bench.widget<QLineEdit>("amplitudeLineEdit")->setText("7abc");
    bench.click("modifyBtn");
    QCOMPARE(bench.columnTexts(0) + bench.columnTexts(1), (QStringList{"1", "2", "1.23", "7.00"}));
}

void TestWorkbench::runs_data()
{
    QTest::addColumn<Workbench::Calibrator>("calibrator");
    QTest::addColumn<QList<double>>("amplitudes");
    QTest::addColumn<Action_e>("action");
    QTest::addColumn<int>("atFrame");
    // Column 3 after the run, the replies ignored, the state the run ends in.
    QTest::addColumn<QStringList>("control");
    QTest::addColumn<int>("ignored");
    QTest::addColumn<QString>("state");
    QTest::addColumn<int>("frames");
    const QList<double> four{10, 20, 30, 40}, two{10, 20}, three{10, 20, 30};
    QList<double> twelve;
    for (int point = 0; point < 12; ++point)
        twelve << 2 + 3 * point;
    const QStringList all = amplitudeTexts(four), ten{all.at(0)}, none{"", "", ""};
    // Each point's frame goes out once, up to where the action ends the run.
    const auto row = [](const char *name, const Workbench::Calibrator &calibrator,
                        const QList<double> &amplitudes, Action_e action, int atFrame,
                        const QStringList &control, int ignored, const char *state = "已连接 start",
                        int frames = -1) {
        if (frames < 0)
            frames = action == StopAndRestart           ? atFrame + amplitudes.size()
                     : action == RunAgainAfterReconnect ? 2 * amplitudes.size()
                     : action == NoAction               ? amplitudes.size()
                                                        : atFrame;
        QTest::newRow(name) << calibrator << amplitudes << action << atFrame << control << ignored
                            << QString(state) << frames;
    };
    const auto sim = &Workbench::simulator;
    const auto script = [](const Line &line) { return Workbench::script(answering(line)); };
    row("zero control count", sim({"--fixed-counts", "0,400"}), two, NoAction, 0, {failed, failed},
        0);
    row("no sensor type: no frame, the points fail",
        sim({"--sensor-type", "-1", "--fixed-counts", "800,400"}), two, NoAction, 0,
        {failed, failed}, 0, "已连接 start", 0);
    row("Stop at point 3, never answered", sim({"--unanswered", "3"}), four, Stop, 3,
        {all.at(0), all.at(1), "", ""}, 0);
    row("late answer after Stop, then Start", script({1200}), four, StopAndRestart, 3, all, 1);
    row("double-click on Stop", script({500}), four, DoubleClickStop, 2, ten + none, 1);
    row("repeated replies", script({300, -1, {}, -1, true}), four, NoAction, 0, all, 2);
    row("stray reply after the run", script({0, -1, {}, -1, false, true}), two, NoAction, 0,
        all.mid(0, 2), 1);
    row("always answers 1", script({50, 1}), four, NoAction, 0, all, 0);
    row("echoing, stray 99 before point 3",
        script({300, -1, ScriptedCalibrator::pointReply(99, 560, 7003), 2}), three, NoAction, 0,
        all.mid(0, 3), 1);
    row("echoing, last run's point 3 late after a reconnect",
        script({300, -1, ScriptedCalibrator::pointReply(3, 1200, 7003), 3}), three,
        RunAgainAfterReconnect, 0, all.mid(0, 3), 1);
    row("L mid-run: calibrator reset from its panel", script({200, -1, Frame::build('L', {}), 1}),
        four, NoAction, 0, all, 0);
    row("R mid-run: another sensor type",
        script({200, -1, Frame::build('R', QByteArray::fromHex("0201")), 1}), four, NoAction, 0,
        all, 0);
    row("S mid-run", script({200, -1, Frame::build('S', {}), 1}), four, NoAction, 0, all, 0);
    row("false start bytes", sim({"--noise", "6", "--false-start", "--resonance", "0"}), twelve,
        NoAction, 0, amplitudeTexts(twelve), 0);
    row("port lost mid-run", script({300}), four, LoseLine, 2, {all.at(0), failed, failed, failed},
        0, "已断开");
    row("port lost on the last row", sim({"--unanswered", "2"}), two, LoseLine, 2,
        {all.at(0), failed}, 0, "已断开");
}

// Every result lands in its own row or in none, one run at a time and each
// point's frame once, the progress bar stepping to 100 with each point; rows keep their order;
// while a run lasts nothing that could change the scheme, the link or the types comes alive, not
// even when the port is lost; nothing but the scheme is sent, and the types stay.
void TestWorkbench::runs()
{
    QFETCH(Workbench::Calibrator, calibrator);
    QFETCH(QList<double>, amplitudes);
    QFETCH(Action_e, action);
    QFETCH(int, atFrame);
    QFETCH(int, ignored);
    QFETCH(int, frames);
    Workbench bench;
    QVERIFY(bench.start(calibrator));
    bench.addPoints(amplitudes);
    const int sensorType = bench.widget<QComboBox>("sensorTypeComboBox")->currentIndex();
    QStringList enabledWhileRunning;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        for (const char *name :
             {"serialPortComboBox", "connectBtn", "disconnectBtn", "sensorTypeComboBox",
              "inputTypeComboBox", "addBtn", "modifyBtn", "deleteBtn", "exportBtn", "exitBtn"}) {
            if (config->testRunning() && bench.widget(name)->isEnabled() &&
                !enabledWhileRunning.contains(name))
                enabledWhileRunning << name;
        }
    });
    watch.start(20);
    QList<int> progress;
    connect(bench.widget<QProgressBar>("progressBar"), &QProgressBar::valueChanged, this,
            [&](int value) { progress << value; });
    auto *start = bench.widget<QPushButton>("startBtn");
    bench.whenVibrateFrames(atFrame, [&bench, start, action] {
        if (action == Stop || action == StopAndRestart || action == DoubleClickStop)
            QTest::mouseClick(start, Qt::LeftButton);
        // The rest of a double-click as the X server delivers it, within
        // the same pass of the event loop.
        if (action == DoubleClickStop) {
            QTest::mouseDClick(start, Qt::LeftButton);
            QTest::mouseRelease(start, Qt::LeftButton);
        }
        if (action == LoseLine)
            bench.loseLine();
    });
    bench.run();
    if (action == RunAgainAfterReconnect) {
        bench.click("disconnectBtn");
        QVERIFY(bench.reconnect());
    }
    if (action == StopAndRestart || action == RunAgainAfterReconnect)
        bench.run();
    QTRY_COMPARE(bench.messages().count("忽略测量回复"), ignored);
    Workbench::settle();
    QTEST(bench.columnTexts(3), "control");
    QStringList order;
    for (int row = 1; row <= amplitudes.size(); ++row)
        order << QString::number(row);
    QCOMPARE(bench.columnTexts(0), order);
    QCOMPARE(bench.frames("21 56").size(), frames);
    QCOMPARE(bench.frames("21 52").size(), action == RunAgainAfterReconnect ? 2 : 1);
    QCOMPARE(bench.frames("21 43"), QStringList());
    QCOMPARE(bench.widget<QComboBox>("sensorTypeComboBox")->currentIndex(), sensorType);
    QCOMPARE(bench.messages().count("忽略测量回复"), ignored);
    QTEST(runState(bench), "state");
    QCOMPARE(enabledWhileRunning, QStringList());
    if (action == NoAction && frames > 0)
        QCOMPARE(progress.value(progress.size() - 1), 100);
}

// Start pressed before the device's types arrived: the run keeps the types it
// started with, and the device's are adopted when it has ended.
void TestWorkbench::typesReadDuringARunWaitForItsEnd()
{
    Workbench bench;
    QVERIFY(bench.launch(Workbench::script(Workbench::answerAfter(300),
                                           [](ScriptedCalibrator &c) { c.setTypes(1, 1, 1000); })));
    bench.pressConnect(bench.link());
    QTRY_VERIFY(connectAcked);
    bench.addPoints({10, 20, 30, 40, 50});
    bench.run();
    QCOMPARE(bench.columnTexts(3), amplitudeTexts({10, 20, 30, 40, 50}));
    QVERIFY(readAcked);
    QCOMPARE(bench.widget<QComboBox>("sensorTypeComboBox")->currentIndex(), 1);
    QCOMPARE(bench.widget<QComboBox>("inputTypeComboBox")->currentIndex(), 1);
}

// The program is closed while linked and started again: the calibrator's
// answer to the unlink waits in the port and must not end the new link. Once
// the calibrator has echoed point numbers, the new program takes only the
// awaited number: a stray reply with no answer behind it is not the point's
// result, however long the point waits.
void TestWorkbench::echoingCalibratorIsRememberedAcrossARestart()
{
    Workbench bench;
    QVERIFY(bench.start(Workbench::script([](const QByteArray &command, int index) {
        return QList<ScriptedCalibrator::Write>{
            {0, index < 2 ? ScriptedCalibrator::answer(command, 400)
                          : ScriptedCalibrator::pointReply(99, 800, 7003)}};
    })));
    bench.addPoints({10, 20});
    bench.run();
    bench.reopenWindow();
    QVERIFY(bench.reconnect());
    bench.addPoints({10});
    // Longer than a reply of a calibrator not known yet is held.
    bench.run(3000);
    QCOMPARE(bench.messages().count("忽略测量回复"), 1);
    QCOMPARE(bench.rowText(0, 3, 4), QString("|"));
}

void TestWorkbench::closing_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("duringRun");
    QTest::addColumn<int>("unlinks");
    QTest::newRow("idle") << "" << false << 1;
    QTest::newRow("after a reconnect") << "disconnect" << false << 2;
    QTest::newRow("during a run") << "" << true << 1;
    QTest::newRow("during a run after a lost port") << "lose line" << true << 1;
}

// Closing asks first; Cancel leaves everything as it was; OK ends a run,
// unlinks the calibrator and closes.
void TestWorkbench::closing()
{
    QFETCH(QString, before);
    QFETCH(bool, duringRun);
    QFETCH(int, unlinks);
    Workbench bench;
    QVERIFY(bench.start(Workbench::script(Workbench::answerAfter(200))));
    if (before == "disconnect") {
        bench.click("disconnectBtn");
        QVERIFY(bench.reconnect());
    } else if (before == "lose line") {
        bench.loseLine();
        QVERIFY(bench.restart());
    }
    QStringList questions{closeQuestion};
    if (duringRun) {
        bench.addPoints({10, 20, 30, 40, 50});
        bench.whenVibrateFrames(2, [&bench] { bench.window().close(); });
        bench.run();
    } else {
        bench.answerer().setAnswer(QMessageBox::Cancel);
        QVERIFY(!bench.window().close() && bench.window().isVisible());
        bench.answerer().setAnswer(QMessageBox::Ok);
        QVERIFY(bench.window().close());
        questions << closeQuestion;
    }
    QVERIFY(!bench.window().isVisible());
    QCOMPARE(bench.answerer().seen(), questions);
    QTRY_COMPARE(bench.frames("21 53").size(), unlinks);
    Workbench::settle();
    QCOMPARE(bench.frames("21 53").size(), unlinks);
    QCOMPARE(bench.frames("21 56").size(), duringRun ? 2 : 0);
}

QTEST_MAIN(TestWorkbench)
#include "tst_workbench.moc"
