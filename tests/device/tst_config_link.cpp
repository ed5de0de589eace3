// The device link on its own, against a pseudo-terminal that the test reads
// directly: frames on the wire, status codes around them, received bytes in
// the shared buffer.
#include "app/GlobalState.h"
#include "device/Config.h"
#include "ui_MainWindow.h"

#include <QtTest>

#include <QTemporaryDir>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace {
QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}
} // namespace

class TestConfigLink : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void connectOpensPortAndSendsFrames();
    void typeChangeSendsConfigureFrameBetweenStatusCodes();
    void receivedBytesAccumulateAndLogWholeBuffer();
    void connectAgainReplacesUnansweredPort();

private:
    QByteArray wire();
    void connectLink();

    QTemporaryDir m_dir;
    QString m_link;
    int m_master = -1;
    QMainWindow m_host;
    Ui::MainWindow m_ui;
    QScopedPointer<Config> m_config;
    QList<InterfaceType_e> m_signals;
    bool m_configSentAtSignal = false;
    bool m_connectSentAtSignal = false;
    QByteArray m_wire;
};

void TestConfigLink::initTestCase()
{
    m_ui.setupUi(&m_host);
}

void TestConfigLink::init()
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    QVERIFY(m_master >= 0 && grantpt(m_master) == 0 && unlockpt(m_master) == 0);
    QCOMPARE(fcntl(m_master, F_SETFL, O_NONBLOCK), 0);
    m_link = m_dir.filePath(QStringLiteral("tty%1").arg(m_master));
    QCOMPARE(symlink(ptsname(m_master), QFile::encodeName(m_link).constData()), 0);
    m_ui.serialPortComboBox->addItem(m_link);
    m_ui.serialPortComboBox->setCurrentText(m_link);
    m_config.reset(new Config());
    m_config->setUi(&m_ui);
    m_signals.clear();
    m_wire.clear();
    connect(m_config.data(), &Config::updateSignal, this, [this](InterfaceType_e type) {
        m_signals << type;
        m_configSentAtSignal = configSent && !configAcked;
        m_connectSentAtSignal = connectSent;
    });
    updateStatus(0);
}

void TestConfigLink::cleanup()
{
    m_config.reset();
    unlink(QFile::encodeName(m_link).constData());
    ::close(m_master);
}

// Everything the link has written since m_wire was last cleared.
QByteArray TestConfigLink::wire()
{
    char chunk[256];
    const ssize_t count = ::read(m_master, chunk, sizeof chunk);
    if (count > 0)
        m_wire.append(chunk, static_cast<int>(count));
    return m_wire;
}

void TestConfigLink::connectLink()
{
    updateStatus(2);
    m_config->sendCmd(0);
    QVERIFY(serialPort && serialPort->isOpen());
    QTRY_COMPARE(wire(), hex("214C05720D"));
    m_wire.clear();
}

void TestConfigLink::connectOpensPortAndSendsFrames()
{
    m_config->sendCmd(2);
    QVERIFY2(!readSent, "nothing goes out, and nothing is marked as sent, without a port");

    connectLink();
    QCOMPARE(serialPort->baudRate(), 9600);
    QCOMPARE(serialPort->dataBits(), QSerialPort::Data8);
    QCOMPARE(serialPort->parity(), QSerialPort::NoParity);
    QCOMPARE(serialPort->stopBits(), QSerialPort::OneStop);
    QCOMPARE(serialPort->flowControl(), QSerialPort::NoFlowControl);
    QCOMPARE(serialPort->readBufferSize(), qint64(1024));
    QCOMPARE(m_signals, QList<InterfaceType_e>{Connected});
    QVERIFY2(!m_connectSentAtSignal, "Connected is reported before the link frame goes out");
    QVERIFY(connectSent && !connectAcked);

    m_config->sendCmd(2);
    for (int ignored : {4, 5, -1})
        m_config->sendCmd(ignored);
    m_config->sendCmd(1);
    QTRY_COMPARE(wire(), hex("215205780D 215305790D"));
    QVERIFY(readSent && !readAcked);
    QVERIFY(disconnectSent && !disconnectAcked);
}

void TestConfigLink::typeChangeSendsConfigureFrameBetweenStatusCodes()
{
    connectLink();
    m_signals.clear();
    m_ui.sensorTypeComboBox->setCurrentIndex(1);
    m_ui.inputTypeComboBox->setCurrentIndex(3);
    m_config->onInputTypeComboBoxIndexChanged();
    QCOMPARE(m_signals, QList<InterfaceType_e>{InputTypeChanged});
    QVERIFY2(m_configSentAtSignal, "code 12 is applied before the signal");
    m_ui.sensorTypeComboBox->setCurrentIndex(2);
    m_config->onSensorTypeComboBoxIndexChanged();
    QCOMPARE(m_signals.last(), SensorTypeChanged);
    QTRY_COMPARE(wire(), hex("214307 0103 6F0D 214307 0203 700D"));
}

void TestConfigLink::receivedBytesAccumulateAndLogWholeBuffer()
{
    connectLink();
    QTest::ignoreMessage(QtDebugMsg, "接受指令:21 4C");
    QTest::ignoreMessage(QtDebugMsg, "接受指令:21 4C 05 72 0D");
    QCOMPARE(::write(m_master, "\x21\x4C", 2), ssize_t(2));
    QTRY_COMPARE(rxBuffer.size(), 2);
    QCOMPARE(::write(m_master, "\x05\x72\x0D", 3), ssize_t(3));
    QTRY_COMPARE(rxBuffer.size(), 5);
    QCOMPARE(rxBuffer, hex("214C05720D"));
    rxBuffer.clear();
}

// Pressing Connect again while the first port still waits for its reply must
// not leave that port open (it would hold the device and make the new open fail).
void TestConfigLink::connectAgainReplacesUnansweredPort()
{
    connectLink();
    const QPointer<QSerialPort> first = serialPort;
    connectLink();
    QVERIFY(serialPort != first.data());
    QTRY_VERIFY(first.isNull());
    QCOMPARE(m_signals, (QList<InterfaceType_e>{Connected, Connected}));
}

QTEST_MAIN(TestConfigLink)
#include "tst_config_link.moc"
