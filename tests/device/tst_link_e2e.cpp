// The device link tried as a technician would: the real main window against
// the simulated calibrator over a pseudo-terminal, and the simulator's own
// answers read straight off its link.
#include "ReplyText.h"
#include "SimProcess.h"
#include "app/GlobalState.h"
#include "device/CommandFrames.h"
#include "ui/MainWindow.h"

#include <QtTest>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSerialPort>

namespace {
const QString linkFrame = QStringLiteral("21 4C 05 72 0D");
const QString readFrame = QStringLiteral("21 52 05 78 0D");
const QString unlinkFrame = QStringLiteral("21 53 05 79 0D");
const QString connectedState = QStringLiteral("已连接 0011110");
const QString disconnectedState = QStringLiteral("已断开 1100001");

void click(MainWindow &window, const char *buttonName)
{
    QTest::mouseClick(window.findChild<QPushButton *>(buttonName), Qt::LeftButton);
}

// The status text, then whether the port selector, Connect, Disconnect, the
// two type selectors, Start and Exit are enabled.
QString linkState(MainWindow &window)
{
    QString state = window.findChild<QLabel *>("connectStatusLabel")->text() + QLatin1Char(' ');
    for (const char *name : {"serialPortComboBox", "connectBtn", "disconnectBtn",
                             "sensorTypeComboBox", "inputTypeComboBox", "startBtn", "exitBtn"})
        state += QLatin1Char(window.findChild<QWidget *>(name)->isEnabled() ? '1' : '0');
    return state;
}
} // namespace

class TestLinkEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qputenv("RT58_EXTRA_PORTS", m_link.toLocal8Bit()); }

    void init() { QVERIFY(m_sim.start(m_link)); }
    void cleanup() { m_sim.stop(); }

    // At first another program holds the port; then connect and disconnect
    // twice; then the device disappears and comes back. The worker stops with
    // the window.
    void session()
    {
        const auto threadCount = [] { return QDir(QStringLiteral("/proc/self/task")).count(); };
        const uint threadsBefore = threadCount();
        {
            MainWindow window;
            selectLink(window);
            QProcess holder;
            holder.start(QStringLiteral(RT58_PORT_HOLDER), {m_link});
            QVERIFY(holder.waitForReadyRead(5000));
            QTest::ignoreMessage(QtDebugMsg, "连接失败！");
            click(window, "connectBtn");
            QVERIFY(!connectSent && !connectAcked && !readSent && !serialPort);
            QCOMPARE(linkState(window), disconnectedState);
            holder.closeWriteChannel();
            QVERIFY(holder.waitForFinished(5000));

            for (int round = 0; round < 2; ++round) {
                connectTo(window);
                const QSerialPort &port = *serialPort;
                QCOMPARE(
                    QList<qint64>({port.baudRate(), port.dataBits(), port.parity(), port.stopBits(),
                                   port.flowControl(), port.readBufferSize()}),
                    QList<qint64>({9600, 8, 0, 1, 0, 1024}));
                click(window, "disconnectBtn");
                verifyDisconnected(window);
            }
            QCOMPARE(m_sim.receivedFrames(), (QStringList{linkFrame, readFrame, unlinkFrame,
                                                          linkFrame, readFrame, unlinkFrame}));
            const QString trace = m_sim.trace();
            QVERIFY2(trace.indexOf("tx " + linkFrame) < trace.indexOf("rx " + readFrame),
                     "the read frame goes out after the link reply");

            connectTo(window);
            QVERIFY(threadCount() > threadsBefore);
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^串口已丢失")));
            m_sim.kill();
            verifyDisconnected(window);
            QVERIFY(m_sim.start(m_link));
            connectTo(window);
        }
        QCOMPARE(threadCount(), threadsBefore);
    }

    // Replies come late, in pieces and after line noise; the receive log shows
    // the whole buffer gathered so far, not only the newest piece. An impatient
    // operator presses Connect again before the reply: the unanswered port is
    // given up, so the second one opens and connects.
    void faultyLine()
    {
        m_sim.stop();
        QVERIFY(m_sim.start(
            m_link, {"--delay", "300", "--noise", "7", "--split", "1", "--split-gap", "15"}));
        MainWindow window;
        QTest::ignoreMessage(QtDebugMsg,
                             QRegularExpression(QStringLiteral("^接受指令:.*21 4C 05 72 0D$")));
        selectLink(window);
        click(window, "connectBtn");
        QTRY_COMPARE(m_sim.receivedFrames(), QStringList{linkFrame});
        click(window, "connectBtn");
        verifyConnected(window);
        QCOMPARE(m_sim.receivedFrames().mid(0, 2), (QStringList{linkFrame, linkFrame}));
        click(window, "disconnectBtn");
        verifyDisconnected(window);
    }

    // The simulator keeps the configured types, and its counts give back the
    // commanded amplitude and a sensitivity of 2.5 as the window computes
    // them: count × 0.0125 (× 0.125 for velocity and displacement), and
    // output × 0.025 / amplitude.
    void simulatorAnswers()
    {
        m_sim.stop();
        QVERIFY(m_sim.start(m_link, {"--sensitivity", "2.5"}));
        QSerialPort port(m_link);
        QVERIFY(port.open(QIODevice::ReadWrite));
        for (int sensorType : {0, 1, 2})
            port.write(
                CommandFrames::configure(sensorType, 3) +
                CommandFrames::vibrate(0, *CommandFrames::amplitudeCode(10, sensorType), 160));
        port.write(CommandFrames::readTypes());
        QByteArray buffer;
        QList<Reply> replies;
        while (replies.size() < 7 && port.waitForReadyRead(2000)) {
            buffer += port.readAll();
            replies += ReplyParser::parse(buffer);
        }
        QCOMPARE(describe(replies), QStringLiteral("C V800,1000 C V80,1000 C V80,1000 R2,3"));
    }

    void badSimulatorOptionsRejected_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("sensor type") << QStringList{"--sensor-type", "3"};
        QTest::newRow("fraction") << QStringList{"--split", "2.5"};
        QTest::newRow("one count") << QStringList{"--fixed-counts", "800"};
        QTest::newRow("stray argument") << QStringList{"now"};
    }

    void badSimulatorOptionsRejected()
    {
        QFETCH(QStringList, arguments);
        QProcess sim;
        sim.start(QStringLiteral(RT58_SIM_EXECUTABLE),
                  QStringList{"--link", m_dir.filePath("unused")} + arguments);
        QVERIFY(sim.waitForFinished(5000));
        QCOMPARE(sim.exitCode(), 2);
        QVERIFY(sim.readAllStandardError().startsWith("rt58-sim: "));
    }

private:
    // Presses the port selector, which relists the ports, and picks the link.
    void selectLink(MainWindow &window)
    {
        auto *ports = window.findChild<QComboBox *>("serialPortComboBox");
        QTest::mouseClick(ports, Qt::LeftButton);
        ports->hidePopup();
        QVERIFY2(ports->findText(m_link) >= 0, "the simulator's link is listed");
        ports->setCurrentText(m_link);
    }

    void connectTo(MainWindow &window)
    {
        selectLink(window);
        click(window, "connectBtn");
        verifyConnected(window);
    }

    void verifyConnected(MainWindow &window)
    {
        QTRY_COMPARE(linkState(window), connectedState);
        QVERIFY(connectSent && connectAcked && readSent);
    }

    void verifyDisconnected(MainWindow &window)
    {
        QTRY_COMPARE(linkState(window), disconnectedState);
        QVERIFY(disconnectSent && disconnectAcked && !serialPort);
    }

    QTemporaryDir m_dir;
    QString m_link = m_dir.filePath(QStringLiteral("ttyRT58"));
    SimProcess m_sim;
};

QTEST_MAIN(TestLinkEndToEnd)
#include "tst_link_e2e.moc"
