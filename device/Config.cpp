#include "device/Config.h"

#include "app/GlobalState.h"
#include "device/CommandFrames.h"
#include "device/PointEchoMemory.h"
#include "device/PortLister.h"
#include "ui_MainWindow.h"

#include <QCoreApplication>
#include <QDebug>
#include <QMutexLocker>
#include <QPointer>
#include <QScopedValueRollback>
#include <QThread>

#include <utility>

namespace {
constexpr qint64 readBufferSize = 1024;
// How long the sequence waits for the result of one point, and how often it
// looks for it.
constexpr float pointTimeoutSeconds = 60;
constexpr unsigned long pollMilliseconds = 100;
// How long a reply with another point number waits for the awaited one, while
// it is not yet known whether the calibrator echoes point numbers.
constexpr float heldReplySeconds = 2;
} // namespace

Config::Config()
    : m_readFrame(CommandFrames::readTypes()), m_configureFrame(CommandFrames::configure(0, 0))
{
    registerInterfaceType();
    m_elapsedTimer.start();
}

// A frame still waiting in the port's write buffer (the unlink frame sent on
// close) goes out before the port is closed.
Config::~Config()
{
    QSerialPort *port = std::exchange(serialPort, nullptr);
    if (port && port->isOpen())
        port->flush();
    delete port;
}

void Config::setUi(Ui::MainWindow *ui)
{
    m_ui = ui;
    QMutexLocker locker(&rxMutex);
    rxBuffer.clear();
}

void Config::sendCmd(int command)
{
    switch (command) {
    case DeviceCommand::Connect:
        connectDevice();
        break;
    case DeviceCommand::Disconnect:
        writeFrame(CommandFrames::unlink(), StatusCode::DisconnectSent);
        break;
    case DeviceCommand::ReadTypes:
        writeFrame(m_readFrame, StatusCode::ReadSent);
        break;
    case DeviceCommand::ConfigureTypes:
        configureTypes();
        break;
    case DeviceCommand::RunTest:
        runTestSequence();
        break;
    default:
        break;
    }
}

void Config::releasePort()
{
    QSerialPort *port = std::exchange(serialPort, nullptr);
    if (!port)
        return;
    port->disconnect(this);
    if (port->isOpen()) {
        port->clear(QSerialPort::AllDirections);
        port->close();
    }
    port->deleteLater();
}

void Config::on_serialPortComboBox_clicked()
{
    QComboBox *combo = m_ui->serialPortComboBox;
    const QString remembered = combo->currentText();
    combo->clear();
    combo->addItems(PortLister::openablePorts());
    combo->setCurrentText(remembered);
}

void Config::onSensorTypeComboBoxIndexChanged()
{
    m_interfaceType = SensorTypeChanged;
    announceTypeChange();
}

void Config::onInputTypeComboBoxIndexChanged()
{
    m_interfaceType = InputTypeChanged;
    announceTypeChange();
}

void Config::recvCmd()
{
    if (!serialPort)
        return;
    const QByteArray incoming = serialPort->readAll();
    QByteArray accumulated;
    {
        QMutexLocker locker(&rxMutex);
        rxBuffer.append(incoming);
        accumulated = rxBuffer;
    }
    qDebug().noquote() << QStringLiteral("接受指令:") +
                              QString::fromLatin1(accumulated.toHex(' ').toUpper());
}

// A 'V' reply from the worker. Only the result of the point under test goes on
// to the window (PointLedger decides); a reply that no point awaits, or one
// whose number an echoing calibrator did not give the point, is logged and
// dropped, so that it cannot land in another row.
void Config::pointReplyHandle(int pointNumber, int amplitudeRaw, int outputRaw)
{
    const auto number = static_cast<quint8>(pointNumber);
    const std::optional<quint8> awaited = m_points.awaited();
    const PointLedger::Echo_e echoBefore = m_points.echo();
    const QString counts =
        QStringLiteral("(点号 %1, 计数 %2/%3)").arg(number).arg(amplitudeRaw).arg(outputRaw);
    switch (m_points.take(number)) {
    case PointLedger::NotAwaited:
        qWarning().noquote() << QStringLiteral("忽略测量回复: 没有等待结果的测试点") << counts;
        return;
    case PointLedger::Mismatched:
        qWarning().noquote() << QStringLiteral("忽略测量回复: 点号不符, 正在等待点号")
                             << int(*awaited) << counts;
        return;
    case PointLedger::Held:
        qDebug().noquote() << QStringLiteral("测量回复的点号不符, 暂存; 点号") << int(*awaited)
                           << QStringLiteral("未到则采用") << counts;
        m_heldReply = HeldReply{amplitudeRaw, outputRaw, elapsedSeconds()};
        return;
    case PointLedger::Accepted:
        break;
    }
    m_heldReply.reset();
    rememberEcho(echoBefore);
    deliverPointResult(amplitudeRaw, outputRaw);
}

// The configure exchange is marked answered only when a configure frame went
// out and is still unanswered. Two type changes in a row send two frames
// before the first answer, so a second answer is only noted, not warned of.
void Config::configReplyHandle()
{
    if (configSent && !configAcked)
        updateStatus(StatusCode::ConfigAcked);
    else
        qDebug().noquote() << QStringLiteral("忽略未请求的回复: C");
}

// A port that disappears while open (adapter unplugged, device gone) is
// treated like a confirmed unlink, so that the operator can connect again.
// Qt reports it as a resource error or, when the read merely hits the end of
// the hung-up line, as a read error; either way the port is unusable. The
// report waits for the event loop, so that the port is not closed inside its
// own notification.
void Config::portErrorHandle(QSerialPort::SerialPortError error)
{
    const QPointer<QSerialPort> port = qobject_cast<QSerialPort *>(sender());
    const bool portLost = error == QSerialPort::ResourceError || error == QSerialPort::ReadError;
    if (!portLost || !port || port != serialPort)
        return;
    qWarning().noquote() << QStringLiteral("串口已丢失:") << port->portName()
                         << port->errorString();
    port->disconnect(this);
    QMetaObject::invokeMethod(
        this,
        [this, port] {
            if (port && port == serialPort)
                emit updateSignal(Disconnected);
        },
        Qt::QueuedConnection);
}

void Config::connectDevice()
{
    // A port left open by an earlier connect that got no reply would hold the
    // device and make this open fail. A new link starts from what its port has
    // shown about point numbers.
    releasePort();
    m_portName = m_ui->serialPortComboBox->currentText();
    m_points.begin(PointEchoMemory::recall(m_portName));
    serialPort = new QSerialPort();
    serialPort->setReadBufferSize(readBufferSize);
    serialPort->setPortName(m_portName);
    if (!serialPort->open(QIODevice::ReadWrite)) {
        qDebug().noquote() << tr("连接失败！");
        releasePort();
        return;
    }
    // Bytes that waited in the port (the answer to an unlink sent by an
    // earlier program, say) belong to no request of this link.
    serialPort->clear(QSerialPort::Input);
    {
        QMutexLocker locker(&rxMutex);
        rxBuffer.clear();
    }
    serialPort->setBaudRate(QSerialPort::Baud9600, QSerialPort::AllDirections);
    serialPort->setDataBits(QSerialPort::Data8);
    serialPort->setParity(QSerialPort::NoParity);
    serialPort->setStopBits(QSerialPort::OneStop);
    serialPort->setFlowControl(QSerialPort::NoFlowControl);
    connect(serialPort, &QSerialPort::readyRead, this, &Config::recvCmd);
    connect(serialPort, &QSerialPort::errorOccurred, this, &Config::portErrorHandle);
    emit updateSignal(Connected);
    writeFrame(CommandFrames::link(), StatusCode::ConnectSent);
}

void Config::configureTypes()
{
    m_configureFrame = CommandFrames::configure(m_ui->sensorTypeComboBox->currentIndex(),
                                                m_ui->inputTypeComboBox->currentIndex());
    writeFrame(m_configureFrame, StatusCode::ConfigSent);
}

void Config::announceTypeChange()
{
    updateStatus(StatusCode::ConfigRequested);
    sendCmd(DeviceCommand::ConfigureTypes);
    emit updateSignal(static_cast<InterfaceType_e>(m_interfaceType));
}

// Without an open port nothing goes out, and the step is not marked as sent.
void Config::writeFrame(const QByteArray &frame, int statusCodeAfterWrite)
{
    if (!serialPort || !serialPort->isOpen()) {
        qDebug().noquote() << QStringLiteral("串口未打开，指令未发送:")
                           << QString::fromLatin1(frame.toHex(' ').toUpper());
        return;
    }
    serialPort->write(frame);
    updateStatus(statusCodeAfterWrite);
}

// Drives the calibrator through the scheme table row by row. The sequence runs
// on the GUI thread and keeps the window alive by processing events while it
// waits, so Stop, the point results and the close handler run nested in it.
void Config::runTestSequence()
{
    const QScopedValueRollback<bool> running(m_testRunning, true);
    clearResults();
    const int rows = m_ui->tableWidget->rowCount();
    int progress = 100;
    for (int row = 0; row < rows && !stopRequested; ++row, progress += 100) {
        updateStatus(StatusCode::PointRequested);
        currentRow = row;
        if (!runPoint(row))
            continue;
        if (stopRequested)
            break;
        m_ui->progressBar->setValue(progress / rows);
    }
    emit updateSignal(TestFinished);
}

void Config::clearResults()
{
    QTableWidget *table = m_ui->tableWidget;
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int column = 3; column <= 6; ++column)
            table->setItem(row, column, new QTableWidgetItem());
    }
}

// Sends one point and waits for its result. False when the point failed
// before it could be sent: the progress bar then stays as it is. Without a
// sensor type there is no amplitude code, and a code that does not fit the
// frame's 16 bits would reach the calibrator as another value: such a point
// fails without a frame.
bool Config::runPoint(int row)
{
    const QTableWidgetItem *amplitude = m_ui->tableWidget->item(row, 1);
    if (!amplitude) {
        emit updateSignal(PointFailed);
        return false;
    }
    const auto amplitudeCode = CommandFrames::amplitudeCode(
        amplitude->text().toFloat(), m_ui->sensorTypeComboBox->currentIndex());
    if (!amplitudeCode) {
        qDebug().noquote() << tr("无传感器类型!");
        emit updateSignal(PointFailed);
        return false;
    }
    const QTableWidgetItem *frequency = m_ui->tableWidget->item(row, 2);
    // A link lost during the run fails the remaining points at once.
    if (!frequency || !linkAvailable()) {
        emit updateSignal(PointFailed);
        return false;
    }
    const int frequencyCode = CommandFrames::frequencyCode(frequency->text().toDouble());
    if (!CommandFrames::fitsWord(*amplitudeCode) || !CommandFrames::fitsWord(frequencyCode)) {
        qWarning().noquote() << QStringLiteral("幅值或频率超出指令范围, 未发送, 行:") << row + 1
                             << amplitude->text() << frequency->text();
        emit updateSignal(PointFailed);
        return false;
    }
    m_vibrateFrame = CommandFrames::vibrate(row, *amplitudeCode, frequencyCode);
    writeFrame(m_vibrateFrame, StatusCode::PointSent);
    m_points.await(CommandFrames::pointNumber(row));
    const bool answered = waitForPoint();
    m_points.release();
    m_heldReply.reset();
    if (!answered)
        emit updateSignal(PointFailed);
    return true;
}

// True once the point's result has been written; false on the timeout or when
// the link went down. A stop request ends the wait as well. A result that has
// arrived counts however long the wait took, for example while a message box
// held the event loop.
bool Config::waitForPoint()
{
    const float start = elapsedSeconds();
    while (!pointAcked) {
        QCoreApplication::processEvents();
        QThread::msleep(pollMilliseconds);
        takeHeldReplyWhenDue();
        if (pointAcked)
            break;
        if (!linkAvailable())
            return false;
        if (elapsedSeconds() - start > pointTimeoutSeconds) {
            const PointLedger::Echo_e echoBefore = m_points.echo();
            m_points.timedOut();
            rememberEcho(echoBefore);
            return false;
        }
        if (stopRequested)
            return true;
    }
    return true;
}

// A held reply whose point got no reply of its own is the point's result.
void Config::takeHeldReplyWhenDue()
{
    if (!m_heldReply || elapsedSeconds() - m_heldReply->arrivalSeconds < heldReplySeconds)
        return;
    const HeldReply held = *std::exchange(m_heldReply, std::nullopt);
    const PointLedger::Echo_e echoBefore = m_points.echo();
    m_points.takeHeld();
    rememberEcho(echoBefore);
    deliverPointResult(held.amplitudeRaw, held.outputRaw);
}

void Config::deliverPointResult(int amplitudeRaw, int outputRaw)
{
    replyAmplitudeRaw = amplitudeRaw;
    replyOutputRaw = outputRaw;
    emit updateSignal(PointResult);
}

void Config::rememberEcho(PointLedger::Echo_e before)
{
    const PointLedger::Echo_e now = m_points.echo();
    if (now == before)
        return;
    static const char *const kinds[] = {"未知", "回送点号", "不回送点号"};
    qInfo().noquote()
        << QStringLiteral("串口 %1 上的校准器: %2").arg(m_portName, QString::fromUtf8(kinds[now]));
    PointEchoMemory::remember(m_portName, now);
}

bool Config::linkAvailable() const
{
    return serialPort && serialPort->isOpen();
}

float Config::elapsedSeconds() const
{
    return static_cast<float>(m_elapsedTimer.elapsed() / 1000.0);
}
