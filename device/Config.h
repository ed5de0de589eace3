#pragma once

#include "app/InterfaceType.h"
#include "device/DeviceCommand.h"
#include "device/PointLedger.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QSerialPort>

#include <optional>

namespace Ui {
class MainWindow;
}

// The device link: owns the serial connection to the calibrator, builds the
// command frames and keeps the port selector's list current. Received bytes
// go to the shared receive buffer; the reply parser thread reads them.
class Config : public QObject
{
    Q_OBJECT

public:
    Config();
    ~Config() override;

    void setUi(Ui::MainWindow *ui);

    // Runs a DeviceCommand_e: connect, disconnect, read types, configure
    // types, or the test sequence over the scheme table; other codes do
    // nothing.
    void sendCmd(int command);

    // Clears, closes and schedules the current port for deletion; the link
    // then has no port.
    void releasePort();

    // True from the start of the test sequence until it has returned, the
    // wind-down after a stop included.
    bool testRunning() const { return m_testRunning; }

    QElapsedTimer m_elapsedTimer;
    int m_language = 0;

signals:
    void updateSignal(InterfaceType_e interfaceType);

public slots:
    void on_serialPortComboBox_clicked();
    void onSensorTypeComboBoxIndexChanged();
    void onInputTypeComboBoxIndexChanged();
    void recvCmd();
    void pointReplyHandle(int pointNumber, int amplitudeRaw, int outputRaw);
    void configReplyHandle();

private slots:
    void portErrorHandle(QSerialPort::SerialPortError error);

private:
    // A reply with another point number, kept until the awaited one comes or
    // the hold time has passed.
    struct HeldReply
    {
        int amplitudeRaw;
        int outputRaw;
        float arrivalSeconds;
    };

    void connectDevice();
    void configureTypes();
    void announceTypeChange();
    void writeFrame(const QByteArray &frame, int statusCodeAfterWrite);
    void runTestSequence();
    void clearResults();
    bool runPoint(int row);
    bool waitForPoint();
    void takeHeldReplyWhenDue();
    void deliverPointResult(int amplitudeRaw, int outputRaw);
    void rememberEcho(PointLedger::Echo_e before);
    bool linkAvailable() const;
    float elapsedSeconds() const;

    QByteArray m_readFrame;
    QByteArray m_configureFrame;
    QByteArray m_vibrateFrame;
    Ui::MainWindow *m_ui = nullptr;
    int m_interfaceType = 0;
    PointLedger m_points;
    QString m_portName;
    std::optional<HeldReply> m_heldReply;
    bool m_testRunning = false;
};
