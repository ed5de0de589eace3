// The device link tried as a technician would: the real main window against
// the simulated calibrator over a pseudo-terminal.
#include "SimProcess.h"
#include "app/GlobalState.h"
#include "ui/MainWindow.h"

#include <QtTest>

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

namespace {
const QString linkFrame = QStringLiteral("21 4C 05 72 0D");
const QString unlinkFrame = QStringLiteral("21 53 05 79 0D");
const QString readFrame = QStringLiteral("21 52 05 78 0D");
const QString connectedText = QStringLiteral("已连接");
const QString disconnectedText = QStringLiteral("已断开");

int threadCount()
{
    return QDir(QStringLiteral("/proc/self/task"))
        .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
        .size();
}

template <typename T> T *child(MainWindow &window, const char *name)
{
    return window.findChild<T *>(QString::fromLatin1(name));
}

QString statusText(MainWindow &window)
{
    return child<QLabel>(window, "connectStatusLabel")->text();
}

void click(MainWindow &window, const char *buttonName)
{
    QTest::mouseClick(child<QPushButton>(window, buttonName), Qt::LeftButton);
}

// Enabled state of the port selector, Connect, Disconnect, the type
// selectors, Start and Exit, in this order.
QString linkWidgetStates(MainWindow &window)
{
    QString states;
    for (const char *name : {"serialPortComboBox", "connectBtn", "disconnectBtn",
                             "sensorTypeComboBox", "inputTypeComboBox", "startBtn", "exitBtn"})
        states += child<QWidget>(window, name)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    return states;
}
} // namespace

class TestLinkEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void connectReadsTypesAndDisconnectReleasesPort();
    void heldPortFailsWithoutChangingState();
    void lostPortEndsLinkAndAllowsReconnect();
    void linkSurvivesNoisySplitDelayedReplies();
    void workerStopsWithWindow();

private:
    void selectLink(MainWindow &window);
    void connectTo(MainWindow &window);
    void verifyConnected(MainWindow &window);
    void verifyDisconnected(MainWindow &window);

    QTemporaryDir m_dir;
    QString m_link;
    SimProcess m_sim;
};

void TestLinkEndToEnd::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_link = m_dir.filePath(QStringLiteral("ttyRT58"));
    qputenv("RT58_EXTRA_PORTS", m_link.toLocal8Bit());
}

void TestLinkEndToEnd::init()
{
    QVERIFY(m_sim.start(m_link));
}

void TestLinkEndToEnd::cleanup()
{
    m_sim.stop();
}

// Presses the port selector, which relists the ports, and picks the link.
void TestLinkEndToEnd::selectLink(MainWindow &window)
{
    auto *ports = child<QComboBox>(window, "serialPortComboBox");
    QTest::mouseClick(ports, Qt::LeftButton);
    ports->hidePopup();
    QVERIFY2(ports->findText(m_link) >= 0, "the simulator's link is listed");
    ports->setCurrentText(m_link);
}

void TestLinkEndToEnd::connectTo(MainWindow &window)
{
    selectLink(window);
    click(window, "connectBtn");
}

void TestLinkEndToEnd::verifyConnected(MainWindow &window)
{
    QTRY_COMPARE(statusText(window), connectedText);
    QCOMPARE(linkWidgetStates(window), QStringLiteral("0011110"));
    QVERIFY(connectSent && connectAcked && readSent);
}

void TestLinkEndToEnd::verifyDisconnected(MainWindow &window)
{
    QTRY_COMPARE(statusText(window), disconnectedText);
    QCOMPARE(linkWidgetStates(window), QStringLiteral("1100001"));
    QVERIFY(disconnectSent && disconnectAcked);
    QVERIFY(serialPort == nullptr);
}

void TestLinkEndToEnd::connectReadsTypesAndDisconnectReleasesPort()
{
    QTest::ignoreMessage(QtDebugMsg, "线程启动");
    MainWindow window;
    for (int round = 0; round < 2; ++round) {
        connectTo(window);
        verifyConnected(window);
        QTRY_COMPARE(m_sim.receivedFrames().size(), 3 * round + 2);
        QCOMPARE(m_sim.receivedFrames().mid(3 * round), (QStringList{linkFrame, readFrame}));
        const QString trace = m_sim.trace();
        QVERIFY2(trace.lastIndexOf(QStringLiteral("tx ") + linkFrame) <
                     trace.lastIndexOf(QStringLiteral("rx ") + readFrame),
                 "the read frame goes out after the link reply");

        click(window, "disconnectBtn");
        verifyDisconnected(window);
        QCOMPARE(m_sim.receivedFrames().size(), 3 * round + 3);
        QCOMPARE(m_sim.receivedFrames().last(), unlinkFrame);
    }
}

void TestLinkEndToEnd::heldPortFailsWithoutChangingState()
{
    MainWindow window;
    selectLink(window);
    QProcess holder;
    holder.start(QStringLiteral(RT58_PORT_HOLDER), {m_link});
    QVERIFY(holder.waitForReadyRead(5000));
    QCOMPARE(holder.readLine().trimmed(), QByteArray("held"));

    QTest::ignoreMessage(QtDebugMsg, "连接失败！");
    click(window, "connectBtn");
    QVERIFY(!connectSent && !connectAcked && !readSent);
    QVERIFY(serialPort == nullptr);
    QCOMPARE(statusText(window), disconnectedText);
    QCOMPARE(linkWidgetStates(window), QStringLiteral("1100001"));

    holder.closeWriteChannel();
    QVERIFY(holder.waitForFinished(5000));
    connectTo(window);
    verifyConnected(window);
}

void TestLinkEndToEnd::lostPortEndsLinkAndAllowsReconnect()
{
    MainWindow window;
    connectTo(window);
    verifyConnected(window);

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^串口已丢失")));
    m_sim.kill();
    verifyDisconnected(window);

    QVERIFY(m_sim.start(m_link));
    connectTo(window);
    verifyConnected(window);
}

// Noise bytes in front of each reply, replies in 2-byte pieces, a delay:
// connect and disconnect still complete.
void TestLinkEndToEnd::linkSurvivesNoisySplitDelayedReplies()
{
    m_sim.stop();
    QVERIFY(m_sim.start(m_link,
                        {"--noise", "7", "--split", "2", "--split-gap", "30", "--delay", "50"}));
    MainWindow window;
    connectTo(window);
    verifyConnected(window);
    QTRY_COMPARE(m_sim.receivedFrames(), (QStringList{linkFrame, readFrame}));
    click(window, "disconnectBtn");
    verifyDisconnected(window);
}

void TestLinkEndToEnd::workerStopsWithWindow()
{
    const int before = threadCount();
    {
        MainWindow window;
        connectTo(window);
        verifyConnected(window);
        QVERIFY(threadCount() > before);
    }
    QCOMPARE(threadCount(), before);
}

QTEST_MAIN(TestLinkEndToEnd)
#include "tst_link_e2e.moc"
