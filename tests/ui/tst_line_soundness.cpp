// What the line may send that nobody asked for, through the real main window:
// a calibrator reset from its front panel, the answer to an unlink of an
// earlier program, types that arrive during a run, point numbers that are not
// echoed or that belong to another point. Every row keeps its count, order and
// owner, and the link stays up.
#include "IgnoredReplyLog.h"
#include "ModalAnswerer.h"
#include "ScriptedCalibrator.h"
#include "WorkbenchDriver.h"
#include "app/GlobalState.h"
#include "device/Config.h"
#include "device/Frame.h"

#include <QtTest>

#include <QLabel>
#include <QTemporaryDir>

#include <memory>

Q_DECLARE_METATYPE(ScriptedCalibrator::Script)

namespace {
const QString readFrame = QStringLiteral("21 52 05 78 0D");
const QList<double> threePoints{10, 20, 30};

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

// Every point answered after a delay with its own number; the frames with the
// given indices get extra bytes in front of their answer.
ScriptedCalibrator::Script echoing(int delayMs, const QMap<int, QByteArray> &extra = {})
{
    return [delayMs, extra](const QByteArray &command, int index) {
        QList<ScriptedCalibrator::Write> writes;
        if (extra.contains(index))
            writes.append({0, extra.value(index)});
        writes.append({delayMs, ScriptedCalibrator::answer(command, 400)});
        return writes;
    };
}
} // namespace

class TestLineSoundness : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void unrequestedReplyMidRunChangesNothing_data();
    void unrequestedReplyMidRunChangesNothing();
    void typesReadDuringARunWaitForItsEnd();
    void replyTakenByItsPointNumber_data();
    void replyTakenByItsPointNumber();
    void echoingCalibratorIsRememberedAcrossARestart();

private:
    void startCalibrator(ScriptedCalibrator::Script script);
    void openWindow();
    void closeWindow();
    void addPoints(const QList<double> &amplitudes);
    // Runs the scheme; a run still going after 20 s is stopped, so that a
    // stalled run fails the test instead of waiting out every point.
    void runScheme();
    void reconnect();
    int framesReceived(const QString &prefix) const;

    QTemporaryDir m_dir;
    QString m_link;
    std::unique_ptr<ScriptedCalibrator> m_calibrator;
    MainWindow *m_window = nullptr;
    WorkbenchDriver *m_driver = nullptr;
    // Answers the close question of a window closed while linked.
    ModalAnswerer m_answerer;
};

// Each test has a port of its own: what a calibrator showed about its point
// numbers is remembered per port.
void TestLineSoundness::init()
{
    QString name = QString::fromLatin1(QTest::currentTestFunction());
    if (QTest::currentDataTag())
        name += QString::number(qHash(QString::fromUtf8(QTest::currentDataTag())));
    m_link = m_dir.filePath(name);
    qputenv("RT58_EXTRA_PORTS", m_link.toLocal8Bit());
    openWindow();
}

void TestLineSoundness::cleanup()
{
    closeWindow();
    m_calibrator.reset();
}

void TestLineSoundness::startCalibrator(ScriptedCalibrator::Script script)
{
    m_calibrator = std::make_unique<ScriptedCalibrator>(std::move(script));
    QVERIFY(m_calibrator->start(m_link));
    QVERIFY(m_driver->connectTo(m_link));
}

void TestLineSoundness::openWindow()
{
    m_window = new MainWindow();
    m_window->show();
    m_driver = new WorkbenchDriver(*m_window);
}

// As a technician closes the program: the close question is answered and the
// unlink frame goes out.
void TestLineSoundness::closeWindow()
{
    m_window->close();
    delete m_driver;
    delete m_window;
}

void TestLineSoundness::addPoints(const QList<double> &amplitudes)
{
    for (const double amplitude : amplitudes)
        m_driver->addPoint(QString::number(amplitude), QStringLiteral("160"));
}

void TestLineSoundness::runScheme()
{
    auto *start = m_driver->widget<QPushButton>("startBtn");
    QTimer::singleShot(20000, start, [start] {
        if (start->isChecked())
            QTest::mouseClick(start, Qt::LeftButton);
    });
    m_driver->click("startBtn");
}

void TestLineSoundness::reconnect()
{
    m_driver->click("disconnectBtn");
    QTRY_VERIFY(!serialPort);
    QVERIFY(m_driver->connectTo(m_link));
}

int TestLineSoundness::framesReceived(const QString &prefix) const
{
    return m_calibrator->receivedFrames().filter(QRegularExpression("^" + prefix)).size();
}

void TestLineSoundness::unrequestedReplyMidRunChangesNothing_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::newRow("L: calibrator reset from its panel") << Frame::build('L', {});
    QTest::newRow("R: another sensor type") << Frame::build('R', QByteArray::fromHex("0201"));
    QTest::newRow("S") << Frame::build('S', {});
}

// The reply comes with the second point. Nothing that could change the scheme,
// the link or the types comes alive during the run, nothing is sent for it,
// and every row gets its own result.
void TestLineSoundness::unrequestedReplyMidRunChangesNothing()
{
    QFETCH(QByteArray, reply);
    startCalibrator(echoing(200, {{1, reply}}));
    addPoints({10, 20, 30, 40});
    QStringList enabledWhileRunning;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        for (const char *name :
             {"serialPortComboBox", "connectBtn", "disconnectBtn", "sensorTypeComboBox",
              "inputTypeComboBox", "addBtn", "modifyBtn", "deleteBtn", "exportBtn", "exitBtn"}) {
            if (config->testRunning() && m_driver->widget<QWidget>(name)->isEnabled() &&
                !enabledWhileRunning.contains(name))
                enabledWhileRunning << name;
        }
    });
    watch.start(20);
    runScheme();
    QCOMPARE(enabledWhileRunning, QStringList());
    QCOMPARE(m_driver->columnTexts(3), amplitudeTexts({10, 20, 30, 40}));
    QCOMPARE(m_driver->columnTexts(0), (QStringList{"1", "2", "3", "4"}));
    QCOMPARE(framesReceived(readFrame), 1);
    QCOMPARE(framesReceived("21 43 "), 0);
    QCOMPARE(m_driver->widget<QComboBox>("sensorTypeComboBox")->currentIndex(), 0);
    QVERIFY(serialPort);
    QCOMPARE(m_driver->widget<QLabel>("connectStatusLabel")->text(), QString("已连接"));
}

// Start pressed before the device's types arrived: the run keeps the types it
// started with, and the device's are adopted when it has ended.
void TestLineSoundness::typesReadDuringARunWaitForItsEnd()
{
    m_calibrator = std::make_unique<ScriptedCalibrator>(echoing(300));
    m_calibrator->setTypes(1, 1, 1000);
    QVERIFY(m_calibrator->start(m_link));
    auto *ports = m_driver->widget<QComboBox>("serialPortComboBox");
    QTest::mouseClick(ports, Qt::LeftButton);
    ports->hidePopup();
    ports->setCurrentText(m_link);
    m_driver->click("connectBtn");
    QTRY_VERIFY(connectAcked);
    addPoints({10, 20, 30, 40, 50});
    runScheme();
    QCOMPARE(m_driver->columnTexts(3), amplitudeTexts({10, 20, 30, 40, 50}));
    QCOMPARE(m_driver->widget<QComboBox>("sensorTypeComboBox")->currentIndex(), 1);
    QCOMPARE(m_driver->widget<QComboBox>("inputTypeComboBox")->currentIndex(), 1);
    QVERIFY(readAcked);
}

void TestLineSoundness::replyTakenByItsPointNumber_data()
{
    QTest::addColumn<ScriptedCalibrator::Script>("calibrator");
    QTest::addColumn<bool>("runAndReconnectFirst");
    QTest::newRow("always answers 1")
        << ScriptedCalibrator::Script([](const QByteArray &command, int) {
               const int amplitudeCount = 2 * ScriptedCalibrator::amplitudeCode(command);
               return QList<ScriptedCalibrator::Write>{
                   {50, ScriptedCalibrator::pointReply(1, amplitudeCount, 400)}};
           })
        << false;
    QTest::newRow("echoing, stray 99 before point 3")
        << echoing(300, {{2, ScriptedCalibrator::pointReply(99, 560, 7003)}}) << false;
    QTest::newRow("echoing, last run's point 3 late after a reconnect")
        << echoing(300, {{3, ScriptedCalibrator::pointReply(3, 1200, 7003)}}) << true;
}

void TestLineSoundness::replyTakenByItsPointNumber()
{
    QFETCH(ScriptedCalibrator::Script, calibrator);
    QFETCH(bool, runAndReconnectFirst);
    startCalibrator(calibrator);
    addPoints(threePoints);
    if (runAndReconnectFirst) {
        runScheme();
        reconnect();
    }
    runScheme();
    QCOMPARE(m_driver->columnTexts(3), amplitudeTexts(threePoints));
}

// The program is closed while linked and started again: the calibrator's
// answer to the unlink waits in the port and must not end the new link. Once
// the calibrator has echoed point numbers, the new program takes only the
// awaited number: a stray reply with no answer behind it is not the point's
// result, however long the point waits.
void TestLineSoundness::echoingCalibratorIsRememberedAcrossARestart()
{
    startCalibrator([](const QByteArray &command, int index) {
        if (index < 2)
            return QList<ScriptedCalibrator::Write>{{0, ScriptedCalibrator::answer(command, 400)}};
        return QList<ScriptedCalibrator::Write>{{0, ScriptedCalibrator::pointReply(99, 800, 7003)}};
    });
    addPoints({10, 20});
    runScheme();
    closeWindow();
    openWindow();
    QVERIFY(m_driver->connectTo(m_link));
    addPoints({10});
    IgnoredReplyLog ignored;
    auto *start = m_driver->widget<QPushButton>("startBtn");
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        if (ignored.count() == 0)
            return;
        watch.stop();
        QTimer::singleShot(3000, start, [start] { QTest::mouseClick(start, Qt::LeftButton); });
    });
    watch.start(20);
    m_driver->click("startBtn");
    QCOMPARE(ignored.count(), 1);
    QCOMPARE(m_driver->rowText(0, 3, 4), QString("|"));
}

QTEST_MAIN(TestLineSoundness)
#include "tst_line_soundness.moc"
