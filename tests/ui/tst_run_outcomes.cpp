// How a run ends when it does not simply go through: a calibrator without a
// sensor type, a stop in the middle, and a failure on the last row. The real
// main window against the simulated calibrator.
#include "SimProcess.h"
#include "WorkbenchDriver.h"
#include "app/GlobalState.h"
#include "device/Config.h"

#include <QtTest>

#include <QLabel>
#include <QProgressBar>
#include <QTemporaryDir>

#include <functional>

namespace {
QStringList loggedMessages;
QtMessageHandler previousHandler = nullptr;

void keepMessage(QtMsgType type, const QMessageLogContext &context, const QString &msg)
{
    loggedMessages << msg;
    previousHandler(type, context, msg);
}

QStringList vibrateFrames(SimProcess &sim)
{
    return sim.receivedFrames().filter(QRegularExpression(QStringLiteral("^21 56")));
}

// Whether the operator can start another run and edit the scheme, as in the
// finished state: "start|add|modify|delete|export|disconnect|types".
QString finishedStateText(WorkbenchDriver &driver)
{
    const auto *start = driver.widget<QPushButton>("startBtn");
    QStringList parts{start->isEnabled() && !start->isChecked() ? start->text() : "running"};
    for (const char *name : {"addBtn", "modifyBtn", "deleteBtn", "exportBtn", "disconnectBtn",
                             "sensorTypeComboBox", "inputTypeComboBox"})
        parts << (driver.widget<QWidget>(name)->isEnabled() ? "on" : "off");
    return parts.join(QLatin1Char('|'));
}
} // namespace

class TestRunOutcomes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void deviceWithoutSensorType();
    void stopEndsTheRunAtOnceAndKeepsTheBar();
    void failedLastRowRestoresTheFinishedStates();

private:
    bool startSimAndConnect(const QStringList &options);
    // Calls action once the simulator has received this many vibrate frames.
    void onceFramesReceived(int count, const std::function<void()> &action);

    QTemporaryDir m_dir;
    QString m_link;
    SimProcess m_sim;
    MainWindow *m_window = nullptr;
    WorkbenchDriver *m_driver = nullptr;
};

void TestRunOutcomes::initTestCase()
{
    m_link = m_dir.filePath(QStringLiteral("ttyRT58"));
    qputenv("RT58_EXTRA_PORTS", m_link.toLocal8Bit());
    previousHandler = qInstallMessageHandler(&keepMessage);
}

void TestRunOutcomes::init()
{
    m_window = new MainWindow();
    m_window->show();
    m_driver = new WorkbenchDriver(*m_window);
    loggedMessages.clear();
}

void TestRunOutcomes::cleanup()
{
    delete m_driver;
    delete m_window;
    m_sim.stop();
}

bool TestRunOutcomes::startSimAndConnect(const QStringList &options)
{
    return m_sim.start(m_link, options) && m_driver->connectTo(m_link);
}

void TestRunOutcomes::onceFramesReceived(int count, const std::function<void()> &action)
{
    auto *poll = new QTimer(m_window);
    connect(poll, &QTimer::timeout, m_window, [this, poll, count, action] {
        if (vibrateFrames(m_sim).size() < count)
            return;
        poll->stop();
        action();
    });
    poll->start(10);
}

// A calibrator that stores no sensor type answers the read with FF: there is
// no amplitude code, so no frame goes out and every point fails, logged as
// such; the control amplitude left by an earlier point is no result.
void TestRunOutcomes::deviceWithoutSensorType()
{
    QVERIFY(startSimAndConnect({"--sensor-type", "-1", "--fixed-counts", "800,400"}));
    QCOMPARE(m_driver->widget<QComboBox>("sensorTypeComboBox")->currentIndex(), -1);
    m_driver->addPoint("10", "160");
    m_driver->addPoint("20", "100");
    QCOMPARE(m_driver->columnTexts(2), (QStringList{"160.00", "100.00"}));
    controlAmplitude = 8; // left by an earlier point
    m_driver->click("startBtn");

    QCOMPARE(vibrateFrames(m_sim), QStringList());
    QCOMPARE(m_driver->rowText(0, 3, 6), QString("测试失败|测试失败||"));
    QCOMPARE(m_driver->rowText(1, 3, 6), QString("测试失败|测试失败||"));
    QCOMPARE(loggedMessages.filter("无传感器类型!").size(), 2);
    QCOMPARE(m_driver->widget<QPushButton>("startBtn")->text(), QString("启动测试"));
}

// Stop during the third of four points ends the run at the sequence's next
// look, long before the point could time out: the point is not failed, the
// later rows stay empty, and the bar keeps the share of the points done.
void TestRunOutcomes::stopEndsTheRunAtOnceAndKeepsTheBar()
{
    QVERIFY(startSimAndConnect({"--unanswered", "3"}));
    for (int row = 0; row < 4; ++row)
        m_driver->addPoint("10", "160");
    auto *start = m_driver->widget<QPushButton>("startBtn");
    onceFramesReceived(3, [start] { QTest::mouseClick(start, Qt::LeftButton); });
    m_driver->click("startBtn");

    QCOMPARE(vibrateFrames(m_sim).size(), 3);
    QVERIFY(m_driver->rowText(1, 3, 3).endsWith("ms^-2"));
    QCOMPARE(m_driver->rowText(2, 3, 6), QString("|||"));
    QCOMPARE(m_driver->rowText(3, 3, 6), QString("|||"));
    auto *bar = m_driver->widget<QProgressBar>("progressBar");
    QCOMPARE(bar->value(), 50);
    QVERIFY(bar->isVisible());
    QCOMPARE(finishedStateText(*m_driver), QString("启动测试|on|on|on|on|on|on|on"));
    QTest::qWait(300);
    QCOMPARE(vibrateFrames(m_sim).size(), 3);
}

// The link goes while the last row waits for its result: the failure of
// that row puts back the finished states before the run's end arrives.
void TestRunOutcomes::failedLastRowRestoresTheFinishedStates()
{
    QVERIFY(startSimAndConnect({"--unanswered", "2"}));
    m_driver->addPoint("10", "160");
    m_driver->addPoint("10", "160");
    QStringList statesAtFailure;
    connect(config, &Config::updateSignal, m_window, [&](InterfaceType_e event) {
        if (event == PointFailed)
            statesAtFailure << QString::number(currentRow) + ' ' + finishedStateText(*m_driver);
    });
    onceFramesReceived(2, [this] { m_sim.kill(); });
    m_driver->click("startBtn");

    QCOMPARE(statesAtFailure, QStringList{"1 启动测试|on|on|on|on|on|on|on"});
    QCOMPARE(m_driver->rowText(1, 3, 4), QString("测试失败|测试失败"));
    QCOMPARE(m_driver->widget<QLabel>("connectStatusLabel")->text(), QString("已断开"));
}

QTEST_MAIN(TestRunOutcomes)
#include "tst_run_outcomes.moc"
