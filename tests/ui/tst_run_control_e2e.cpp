// Run control tried against misbehaving calibrators: the real main window,
// driven as a technician would, against a calibrator scripted by each test
// (late, repeated, stray and damaged replies, a line that goes away) and the
// simulated calibrator with false start bytes in its line noise.
#include "IgnoredReplyLog.h"
#include "ModalAnswerer.h"
#include "ScriptedCalibrator.h"
#include "SimProcess.h"
#include "WorkbenchDriver.h"
#include "app/GlobalState.h"
#include "device/Config.h"

#include <QtTest>

#include <QLabel>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace {
const QString unlinkFrame = QStringLiteral("21 53 05 79 0D");
const QString failedCells = QStringLiteral("测试失败|测试失败");

QStringList vibrateFrames(const QStringList &frames)
{
    return frames.filter(QRegularExpression(QStringLiteral("^21 56 ")));
}

// What the window shows as the control amplitude of a point commanded at
// amplitude (ms^-2) and answered as ScriptedCalibrator::answer does.
QString amplitudeText(double amplitude)
{
    return QString::number(amplitude, 'f', 2) + QStringLiteral(" ms^-2");
}

QStringList amplitudeTexts(const QList<double> &amplitudes)
{
    QStringList texts;
    for (const double amplitude : amplitudes)
        texts << amplitudeText(amplitude);
    return texts;
}

// Every point answered after a delay, with its own point number.
ScriptedCalibrator::Script answerAfter(int delayMs)
{
    return [delayMs](const QByteArray &command, int) {
        return QList<ScriptedCalibrator::Write>{
            {delayMs, ScriptedCalibrator::answer(command, 400)}};
    };
}

// A double-click as the X server delivers it: press, release, double-click,
// release, all within one pass of the event loop.
void doubleClick(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton);
    QTest::mouseDClick(widget, Qt::LeftButton);
    QTest::mouseRelease(widget, Qt::LeftButton);
}
} // namespace

class TestRunControlEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void staleReplyAfterStopIsIgnored();
    void strayReplyAfterRunIsIgnored();
    void repeatedRepliesDoNotShiftResults();
    void doubleClickOnStopStartsNoSecondRun();
    void damagedFrameDoesNotHoldBackTheReply_data();
    void damagedFrameDoesNotHoldBackTheReply();
    void falseStartBytesOnTheLineAreResynchronised();
    void lostPortKeepsRunStatesUntilTheRunEnds();
    void closingAfterReconnectAsksAndUnlinks();
    void closingDuringRunAfterLostPortAsksAndUnlinks();

private:
    void startCalibrator(ScriptedCalibrator::Script script);
    // Connects again after the link went down, and waits until the new link
    // has read the device's types.
    void reconnect();
    void addPoints(const QList<double> &amplitudes);
    // Runs action on the window's event loop once the calibrator has received
    // count vibrate frames.
    void whenPointsSent(int count, const std::function<void()> &action);
    // Presses Stop if the run has not ended by then, so that a stalled run
    // fails the test quickly instead of waiting out every point.
    void stopAfter(int milliseconds);
    QStringList vibrateFramesReceived() const;
    int unlinkFramesReceived() const;

    QTemporaryDir m_dir;
    QString m_link;
    std::unique_ptr<ScriptedCalibrator> m_calibrator;
    MainWindow *m_window = nullptr;
    WorkbenchDriver *m_driver = nullptr;
    ModalAnswerer *m_answerer = nullptr;
};

void TestRunControlEndToEnd::initTestCase()
{
    m_link = m_dir.filePath(QStringLiteral("ttyRT58"));
    qputenv("RT58_EXTRA_PORTS", m_link.toLocal8Bit());
}

void TestRunControlEndToEnd::init()
{
    m_window = new MainWindow();
    m_window->show();
    m_driver = new WorkbenchDriver(*m_window);
    m_answerer = new ModalAnswerer();
}

void TestRunControlEndToEnd::cleanup()
{
    delete m_answerer;
    delete m_driver;
    delete m_window;
    m_calibrator.reset();
}

void TestRunControlEndToEnd::startCalibrator(ScriptedCalibrator::Script script)
{
    m_calibrator = std::make_unique<ScriptedCalibrator>(std::move(script));
    QVERIFY(m_calibrator->start(m_link));
    QVERIFY(m_driver->connectTo(m_link));
}

void TestRunControlEndToEnd::reconnect()
{
    auto *ports = m_driver->widget<QComboBox>("serialPortComboBox");
    QTest::mouseClick(ports, Qt::LeftButton);
    ports->hidePopup();
    ports->setCurrentText(m_link);
    m_driver->click("connectBtn");
    QTRY_VERIFY(connectAcked && readAcked);
}

void TestRunControlEndToEnd::addPoints(const QList<double> &amplitudes)
{
    for (const double amplitude : amplitudes)
        m_driver->addPoint(QString::number(amplitude), QStringLiteral("160"));
}

void TestRunControlEndToEnd::whenPointsSent(int count, const std::function<void()> &action)
{
    auto *poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, [this, poll, count, action] {
        if (vibrateFramesReceived().size() < count)
            return;
        poll->stop();
        poll->deleteLater();
        action();
    });
    poll->start(10);
}

void TestRunControlEndToEnd::stopAfter(int milliseconds)
{
    auto *start = m_driver->widget<QPushButton>("startBtn");
    QTimer::singleShot(milliseconds, start, [start] {
        if (start->isChecked())
            QTest::mouseClick(start, Qt::LeftButton);
    });
}

QStringList TestRunControlEndToEnd::vibrateFramesReceived() const
{
    return vibrateFrames(m_calibrator->receivedFrames());
}

int TestRunControlEndToEnd::unlinkFramesReceived() const
{
    return m_calibrator->receivedFrames().count(unlinkFrame);
}

// Stop while a slow calibrator measures point 3, then start again: the late
// answer to the old point 3 must not become the new row 1.
void TestRunControlEndToEnd::staleReplyAfterStopIsIgnored()
{
    startCalibrator(answerAfter(1200));
    addPoints({10, 20, 30, 40});
    whenPointsSent(3, [this] { m_driver->click("startBtn"); });
    m_driver->click("startBtn");
    QCOMPARE(m_driver->columnTexts(3).mid(0, 2), amplitudeTexts({10, 20}));
    QCOMPARE(m_driver->rowText(2, 3, 4), QString("|"));

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(
                                           "^忽略测量回复: 点号不符, 正在等待点号 1 \\(点号 3,")));
    m_driver->click("startBtn");
    QCOMPARE(m_driver->columnTexts(3), amplitudeTexts({10, 20, 30, 40}));
}

// A reply nobody asked for after the run must not rewrite the last row.
void TestRunControlEndToEnd::strayReplyAfterRunIsIgnored()
{
    startCalibrator(answerAfter(0));
    addPoints({10, 20});
    m_driver->click("startBtn");
    const QString lastRow = m_driver->rowText(1, 3, 6);
    QVERIFY(lastRow.startsWith(amplitudeText(20)));

    IgnoredReplyLog ignored;
    m_calibrator->writeLater(0, ScriptedCalibrator::pointReply(2, 800, 999));
    QVERIFY(QTest::qWaitFor([&ignored] { return ignored.count() > 0; }));
    QCOMPARE(ignored.messages(),
             QStringList{"忽略测量回复: 没有等待结果的测试点 (点号 2, 计数 800/999)"});
    QCOMPARE(m_driver->rowText(1, 3, 6), lastRow);
}

// A calibrator that sends its previous answer again before each new one:
// every repeat must be dropped, not credited to the point under test.
void TestRunControlEndToEnd::repeatedRepliesDoNotShiftResults()
{
    QByteArray previous;
    startCalibrator([previous](const QByteArray &command, int) mutable {
        QList<ScriptedCalibrator::Write> writes;
        if (!previous.isEmpty())
            writes.append({0, previous});
        previous = ScriptedCalibrator::answer(command, 400);
        writes.append({300, previous});
        return writes;
    });
    addPoints({10, 20, 30, 40});
    m_driver->click("startBtn");
    QCOMPARE(m_driver->columnTexts(3), amplitudeTexts({10, 20, 30, 40}));
}

// The second click of a double-click on Stop arrives while the run winds
// down: it must not start the scheme again inside the first run.
void TestRunControlEndToEnd::doubleClickOnStopStartsNoSecondRun()
{
    startCalibrator(answerAfter(500));
    addPoints({10, 20, 30, 40});
    auto *start = m_driver->widget<QPushButton>("startBtn");
    whenPointsSent(2, [start] { doubleClick(start); });
    m_driver->click("startBtn");
    QVERIFY(!config->testRunning());
    QCOMPARE(start->text(), QString("启动测试"));
    QVERIFY(!start->isChecked());
    QVERIFY(m_driver->widget<QPushButton>("addBtn")->isEnabled());
    QTest::qWait(700);
    QCOMPARE(vibrateFramesReceived().size(), 2);
    QCOMPARE(m_driver->columnTexts(3), (QStringList{amplitudeText(10), "", "", ""}));
}

void TestRunControlEndToEnd::damagedFrameDoesNotHoldBackTheReply_data()
{
    QTest::addColumn<QByteArray>("garbage");
    QTest::newRow("length byte 0x1B instead of 0x0B") << QByteArray();
    QTest::newRow("noise 21 43 FF") << QByteArray::fromHex("2143FF");
    QTest::newRow("header announcing a long V") << QByteArray::fromHex("2156C8");
}

// Each answer comes after damaged bytes that open a frame longer than what
// follows; the valid answer right behind them must still be taken at once.
void TestRunControlEndToEnd::damagedFrameDoesNotHoldBackTheReply()
{
    QFETCH(QByteArray, garbage);
    startCalibrator([garbage](const QByteArray &command, int) {
        const QByteArray reply = ScriptedCalibrator::answer(command, 400);
        QByteArray damaged = garbage;
        if (damaged.isEmpty()) {
            damaged = reply;
            damaged[2] = 0x1B;
        }
        return QList<ScriptedCalibrator::Write>{{0, damaged + reply}};
    });
    addPoints({10, 20, 30});
    stopAfter(8000);
    m_driver->click("startBtn");
    QCOMPARE(m_driver->columnTexts(3), amplitudeTexts({10, 20, 30}));
}

// The simulated calibrator puts a false frame header and random bytes that
// may hold the start byte in front of every reply, the link and types replies
// included.
void TestRunControlEndToEnd::falseStartBytesOnTheLineAreResynchronised()
{
    SimProcess sim;
    QVERIFY(sim.start(m_link, {"--noise", "6", "--false-start", "--resonance", "0"}));
    QVERIFY(m_driver->connectTo(m_link));
    QList<double> amplitudes;
    for (int row = 0; row < 12; ++row)
        amplitudes << 2 + 3 * row;
    addPoints(amplitudes);
    stopAfter(20000);
    m_driver->click("startBtn");
    QCOMPARE(m_driver->columnTexts(3), amplitudeTexts(amplitudes));
    for (const QString &sensitivity : m_driver->columnTexts(4))
        QCOMPARE(sensitivity, QString("1.000 Pc/ms^-2"));
    QCOMPARE(vibrateFrames(sim.receivedFrames()).size(), amplitudes.size());
}

// The port goes away during a run: the window keeps its running states until
// the sequence has ended, and only then shows the disconnected ones.
void TestRunControlEndToEnd::lostPortKeepsRunStatesUntilTheRunEnds()
{
    startCalibrator(answerAfter(300));
    addPoints({10, 20, 30, 40});
    QStringList enabledWhileRunning;
    connect(config, &Config::updateSignal, m_window, [&](InterfaceType_e type) {
        if (type != Disconnected || !config->testRunning())
            return;
        for (const char *name : {"serialPortComboBox", "connectBtn", "disconnectBtn", "addBtn",
                                 "modifyBtn", "deleteBtn", "exportBtn", "exitBtn"}) {
            if (m_driver->widget<QWidget>(name)->isEnabled())
                enabledWhileRunning << name;
        }
        enabledWhileRunning << QStringLiteral("checked");
    });
    whenPointsSent(2, [this] { m_calibrator->stop(); });
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^串口已丢失")));
    m_driver->click("startBtn");
    QCOMPARE(enabledWhileRunning, QStringList{"checked"});
    QCOMPARE(m_driver->rowText(1, 3, 4), failedCells);
    QCOMPARE(m_driver->widget<QLabel>("connectStatusLabel")->text(), QString("已断开"));
    QVERIFY(m_driver->widget<QPushButton>("connectBtn")->isEnabled());
    QVERIFY(!m_driver->widget<QPushButton>("startBtn")->isEnabled());
}

void TestRunControlEndToEnd::closingAfterReconnectAsksAndUnlinks()
{
    startCalibrator(answerAfter(0));
    m_driver->click("disconnectBtn");
    QTRY_VERIFY(!serialPort);
    reconnect();

    m_answerer->setAnswer(QMessageBox::Cancel);
    QVERIFY(!m_window->close());
    QCOMPARE(m_answerer->seen(), QStringList{"警告: 当前设备正处于连接状态，即将断开连接！"});
    m_answerer->setAnswer(QMessageBox::Ok);
    QVERIFY(m_window->close());
    QTRY_COMPARE(unlinkFramesReceived(), 2);
}

// The calibrator vanishes and comes back; after the new connect a close
// during a run still asks, unlinks and ends the run.
void TestRunControlEndToEnd::closingDuringRunAfterLostPortAsksAndUnlinks()
{
    startCalibrator(answerAfter(300));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^串口已丢失")));
    m_calibrator->stop();
    QTRY_VERIFY(!serialPort);
    QVERIFY(m_calibrator->start(m_link));
    reconnect();
    addPoints({10, 20, 30, 40, 50});
    whenPointsSent(2, [this] { m_window->close(); });
    m_driver->click("startBtn");
    QCOMPARE(m_answerer->seen(), QStringList{"警告: 当前设备正处于连接状态，即将断开连接！"});
    QVERIFY(!m_window->isVisible());
    QTRY_COMPARE(unlinkFramesReceived(), 1);
    QTest::qWait(400);
    QCOMPARE(vibrateFramesReceived().size(), 2);
}

QTEST_MAIN(TestRunControlEndToEnd)
#include "tst_run_control_e2e.moc"
