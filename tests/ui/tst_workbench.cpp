// The test workbench through the real main window, as a technician drives
// it, against a calibrator scripted by each case or the simulated one: runs
// that end in every way a run can end, on a line that misbehaves, and
// closing the window. A new case is a row of runs_data() or closing_data().
#include "Workbench.h"
#include "app/GlobalState.h"
#include "device/Config.h"
#include "export/TableTexts.h"

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
};

const QString failed = QStringLiteral("测试失败");
const QString closeQuestion = QStringLiteral("警告: 当前设备正处于连接状态，即将断开连接！");

// The calibrator sends its previous answer again before each new one.
ScriptedCalibrator::Script repeatingCalibrator()
{
    return [previous = QByteArray()](const QByteArray &command, int) mutable {
        QList<ScriptedCalibrator::Write> writes;
        if (!previous.isEmpty())
            writes.append({0, previous});
        previous = ScriptedCalibrator::answer(command, 400);
        writes.append({300, previous});
        return writes;
    };
}

// Answers every point at once; after the second, a reply to point 1 that
// nobody asked for follows.
ScriptedCalibrator::Script strayAfterSecondPoint()
{
    return [](const QByteArray &command, int index) {
        QList<ScriptedCalibrator::Write> writes{{0, ScriptedCalibrator::answer(command, 400)}};
        if (index == 1)
            writes.append({300, ScriptedCalibrator::pointReply(1, 800, 999)});
        return writes;
    };
}

// Every answer carries point number 0.
ScriptedCalibrator::Script calibratorWithoutNumbers()
{
    return [](const QByteArray &command, int) {
        const int amplitudeCount = 2 * ScriptedCalibrator::amplitudeCode(command);
        return QList<ScriptedCalibrator::Write>{
            {50, ScriptedCalibrator::pointReply(0, amplitudeCount, 400)}};
    };
}

// Each answer comes behind bytes that open a frame longer than what follows:
// the garbage, or with none a copy of the answer with the length byte 0x1B.
ScriptedCalibrator::Script damagedFrameFirst(const QByteArray &garbage)
{
    return [garbage](const QByteArray &command, int) {
        const QByteArray reply = ScriptedCalibrator::answer(command, 400);
        QByteArray damaged = garbage;
        if (damaged.isEmpty()) {
            damaged = reply;
            damaged[2] = 0x1B;
        }
        return QList<ScriptedCalibrator::Write>{{0, damaged + reply}};
    };
}

// The link status, then whether a new run can be started.
QString runState(Workbench &bench)
{
    const auto *start = bench.widget<QPushButton>("startBtn");
    const bool startable = start->isEnabled() && !start->isChecked() && !config->testRunning();
    return bench.widget<QLabel>("connectStatusLabel")->text() + (startable ? " start" : "");
}

QStringList journalLines()
{
    const QDir results(QStringLiteral("Results"));
    const QStringList names = results.entryList({"*.csv"}, QDir::Files, QDir::Name);
    QFile file(results.filePath(names.value(names.size() - 1)));
    if (!file.open(QIODevice::ReadOnly))
        return {"no journal"};
    return QString::fromUtf8(file.readAll().mid(3)).split("\r\n");
}
} // namespace

Q_DECLARE_METATYPE(Workbench::Calibrator)
Q_DECLARE_METATYPE(Action_e)

class TestWorkbench : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void schemeEditing();
    void deviceTypesAndConfigureFrames();
    void runWritesFramesResultsJournalAndReport();
    void runs_data();
    void runs();
    void closing_data();
    void closing();
};

// The report template is read from beside the executable.
void TestWorkbench::initTestCase()
{
    const QString templates = QCoreApplication::applicationDirPath() + "/doc";
    QDir(templates).removeRecursively();
    QVERIFY(QDir().mkpath(templates));
    QVERIFY(QFile::copy(qEnvironmentVariable("RT58_BINARY_DIR") + "/doc/ExportWordBookmark.docx",
                        templates + "/ExportWordBookmark.docx"));
    QDir(QStringLiteral("Results")).removeRecursively();
}

void TestWorkbench::schemeEditing()
{
    Workbench bench;
    for (const char *amplitude : {"0", "50", "50.01", "-5", "1.2.3"})
        bench.addPoint(amplitude, "160");
    bench.addPoint("10", "9.99");
    bench.addPoint("１０", "１００００");
    QCOMPARE(bench.answerer().seen(),
             (QStringList{"提示信息: 幅值必须在0-50以内", "提示信息: 频率必须在10-10000以内"}));
    QCOMPARE(bench.columnTexts(1), (QStringList{"0.00", "50.00", "5.00", "1.23", "10.00"}));

    bench.answerer().clear();
    bench.click("modifyBtn");
    QCOMPARE(bench.answerer().seen(), QStringList{"提示信息: 请先选择一行"});
    auto *table = bench.widget<QTableWidget>("tableWidget");
    table->setCurrentCell(1, 0);
    bench.click("deleteBtn");
    QCOMPARE(bench.columnTexts(0), (QStringList{"1", "2", "3", "4"}));
    const QRect cell = table->visualItemRect(table->item(3, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(bench.widget<QLineEdit>("frequenceLineEdit")->text(), QString("10000.00"));
    bench.widget<QLineEdit>("amplitudeLineEdit")->setText("7abc");
    bench.click("modifyBtn");
    QCOMPARE(bench.rowText(3, 0, 2), QString("4|7.00|10000.00"));
}

// The device's types are taken without a configure frame; each change sends
// one, and so does a change after a reconnect; a new sensor type empties the
// table and renames the derived columns.
void TestWorkbench::deviceTypesAndConfigureFrames()
{
    Workbench bench;
    QVERIFY(bench.start(Workbench::simulator({"--sensor-type", "1", "--input-type", "1"})));
    auto *sensor = bench.widget<QComboBox>("sensorTypeComboBox");
    auto *input = bench.widget<QComboBox>("inputTypeComboBox");
    QCOMPARE(sensor->currentIndex(), 1);
    QCOMPARE(input->currentIndex(), 1);
    QCOMPARE(TableTexts::header(bench.widget<QTableWidget>("tableWidget")).mid(5),
             (QStringList{"加速度", "位移"}));
    bench.addPoint("10", "100");
    input->setCurrentIndex(3);
    QCOMPARE(bench.columnTexts(0).size(), 1);
    sensor->setCurrentIndex(2);
    QCOMPARE(bench.columnTexts(0).size(), 0);
    QCOMPARE(bench.widget<QLabel>("amplitudeUnitLabel")->text(), QString("um"));
    QCOMPARE(TableTexts::header(bench.widget<QTableWidget>("tableWidget")).mid(5),
             (QStringList{"加速度", "速度"}));
    QTRY_COMPARE(bench.frames("21 43"),
                 (QStringList{"21 43 07 01 03 6F 0D", "21 43 07 02 03 70 0D"}));

    bench.click("disconnectBtn");
    QVERIFY(bench.reconnect());
    input->setCurrentIndex(0);
    QTRY_COMPARE(bench.frames("21 43").size(), 3);
    Workbench::settle();
    QCOMPARE(bench.frames("21 43").size(), 3);
}

// Three points: their frames byte for byte, the progress, the results; the
// journal holds each point's row as soon as the table does; the Export
// button writes the report.
void TestWorkbench::runWritesFramesResultsJournalAndReport()
{
    Workbench bench;
    QVERIFY(bench.start(Workbench::simulator({"--fixed-counts", "800,400"})));
    bench.addPoint("10", "160");
    bench.addPoint("50", "100");
    bench.addPoint("0.5", "10000");
    QList<int> progress;
    connect(bench.widget<QProgressBar>("progressBar"), &QProgressBar::valueChanged, this,
            [&](int value) { progress << value; });
    const auto *table = bench.widget<QTableWidget>("tableWidget");
    const auto csv = [](const QStringList &cells) { return cells.join(','); };
    QStringList journalAtFirstResult;
    connect(config, &Config::updateSignal, this, [&](InterfaceType_e event) {
        if (event == PointResult && journalAtFirstResult.isEmpty())
            journalAtFirstResult = journalLines();
    });
    bench.run();

    QCOMPARE(bench.frames("21 56"),
             (QStringList{"21 56 0A 01 90 01 A0 00 B3 0D", "21 56 0A 02 D0 07 64 00 BE 0D",
                          "21 56 0A 03 14 00 10 27 CF 0D"}));
    QCOMPARE(progress, (QList<int>{0, 33, 66, 100}));
    QCOMPARE(bench.rowText(1, 3, 6), QString("10.00 ms^-2|1.000 Pc/ms^-2|15.92 mms^-1|25.33 um"));
    QStringList journal{csv(TableTexts::header(table)), csv(TableTexts::row(table, 0)), ""};
    QCOMPARE(journalAtFirstResult, journal);
    journal.insert(2, csv(TableTexts::row(table, 1)));
    journal.insert(3, csv(TableTexts::row(table, 2)));
    QCOMPARE(journalLines(), journal);

    const QString report = bench.folder() + "/report.docx";
    bench.answerer().setSaveFileAnswer(report);
    bench.click("exportBtn");
    QCOMPARE(bench.answerer().seen(), QStringList{"提示信息: 导出成功！"});
    QFile file(report);
    QVERIFY(file.open(QIODevice::ReadOnly) && file.read(2) == "PK");
}

void TestWorkbench::runs_data()
{
    QTest::addColumn<Workbench::Calibrator>("calibrator");
    QTest::addColumn<QList<double>>("amplitudes");
    QTest::addColumn<Action_e>("action");
    QTest::addColumn<int>("atFrame");
    // Column 3 after the run, the vibrate frames sent, the replies ignored
    // and the state the run ends in.
    QTest::addColumn<QStringList>("control");
    QTest::addColumn<int>("frames");
    QTest::addColumn<int>("ignored");
    QTest::addColumn<QString>("state");
    const QList<double> four{10, 20, 30, 40}, two{10, 20};
    const QStringList all = amplitudeTexts(four), ten{all.at(0)}, none{"", "", ""};
    const auto row = [](const char *name, const Workbench::Calibrator &calibrator,
                        const QList<double> &amplitudes, Action_e action, int atFrame,
                        const QStringList &control, int ignored,
                        const char *state = "已连接 start") {
        QTest::newRow(name) << calibrator << amplitudes << action << atFrame << control
                            << (action == StopAndRestart ? 3 + 4
                                : atFrame                ? atFrame
                                                         : int(control.size()))
                            << ignored << QString(state);
    };
    const auto sim = &Workbench::simulator;
    const auto script = &Workbench::script;
    const auto after = &Workbench::answerAfter;
    QList<double> twelve;
    for (int point = 0; point < 12; ++point)
        twelve << 2 + 3 * point;
    row("zero control count", sim({"--fixed-counts", "0,400"}), two, NoAction, 0, {failed, failed},
        0);
    row("Stop at point 3, never answered", sim({"--unanswered", "3"}), four, Stop, 3,
        QStringList(all.mid(0, 2)) + QStringList{"", ""}, 0);
    row("late answer after Stop, then Start", script(after(1200)), four, StopAndRestart, 3, all, 1);
    row("double-click on Stop", script(after(500)), four, DoubleClickStop, 2, ten + none, 1);
    row("repeated replies", script(repeatingCalibrator()), four, NoAction, 0, all, 3);
    row("stray reply after the run", script(strayAfterSecondPoint()), two, NoAction, 0,
        QStringList(all.mid(0, 2)), 1);
    row("no point numbers", script(calibratorWithoutNumbers()), four, NoAction, 0, all, 0);
    row("length byte 0x1B", script(damagedFrameFirst({})), four, NoAction, 0, all, 0);
    row("noise 21 43 FF", script(damagedFrameFirst(QByteArray::fromHex("2143FF"))), four, NoAction,
        0, all, 0);
    row("header of a long V", script(damagedFrameFirst(QByteArray::fromHex("2156C8"))), four,
        NoAction, 0, all, 0);
    row("false start bytes in the noise",
        sim({"--noise", "6", "--false-start", "--resonance", "0"}), twelve, NoAction, 0,
        amplitudeTexts(twelve), 0);
    row("port lost mid-run", script(after(300)), four, LoseLine, 2,
        ten + QStringList{failed, failed, failed}, 0, "已断开");
    row("port lost on the last row", sim({"--unanswered", "2"}), two, LoseLine, 2,
        {all.at(0), failed}, 0, "已断开");
}

// Every result lands in its own row or in none, one run at a time; while a
// run lasts, a lost port leaves the window in its running states.
void TestWorkbench::runs()
{
    QFETCH(Workbench::Calibrator, calibrator);
    QFETCH(QList<double>, amplitudes);
    QFETCH(Action_e, action);
    QFETCH(int, atFrame);
    QFETCH(int, ignored);
    Workbench bench;
    QVERIFY(bench.start(calibrator));
    bench.addPoints(amplitudes);
    QStringList enabledWhileRunning;
    connect(config, &Config::updateSignal, this, [&](InterfaceType_e event) {
        for (const char *name : {"connectBtn", "addBtn", "deleteBtn", "exportBtn", "exitBtn"}) {
            if (event == Disconnected && config->testRunning() && bench.widget(name)->isEnabled())
                enabledWhileRunning << name;
        }
    });
    auto *start = bench.widget<QPushButton>("startBtn");
    if (action != NoAction)
        bench.whenVibrateFrames(atFrame, [&bench, start, action] {
            if (action == Stop || action == StopAndRestart)
                QTest::mouseClick(start, Qt::LeftButton);
            if (action == DoubleClickStop) {
                // As the X server delivers it: all within one pass of the event loop.
                QTest::mouseClick(start, Qt::LeftButton);
                QTest::mouseDClick(start, Qt::LeftButton);
                QTest::mouseRelease(start, Qt::LeftButton);
            }
            if (action == LoseLine)
                bench.loseLine();
        });
    bench.run();
    if (action == StopAndRestart)
        bench.run();
    QTRY_COMPARE(bench.messages().count("忽略测量回复"), ignored);
    Workbench::settle();

    QTEST(bench.columnTexts(3), "control");
    QTEST(int(bench.frames("21 56").size()), "frames");
    QCOMPARE(bench.messages().count("忽略测量回复"), ignored);
    QTEST(runState(bench), "state");
    QCOMPARE(enabledWhileRunning, QStringList());
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

// Closing asks first, and on OK ends a run, unlinks the calibrator and
// closes; Cancel leaves everything as it was.
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
        QVERIFY(!bench.window().close());
        QVERIFY(bench.window().isVisible());
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
