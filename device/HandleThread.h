#pragma once

#include "app/InterfaceType.h"

#include <QElapsedTimer>
#include <QThread>

struct Reply;

// The reply parser: every 100 ms it cuts the complete replies off the shared
// receive buffer and reports them, with what they carry in the signal, so
// that only the GUI thread touches the global record. It runs until an
// interruption is requested.
class HandleThread : public QThread
{
    Q_OBJECT

public:
    HandleThread();

signals:
    void updateSignal(InterfaceType_e interfaceType);
    // A 'V' reply: the point number it echoes and its two counts. The link
    // decides whether it is the result of the point under test.
    void pointReplySignal(int pointNumber, int amplitudeRaw, int outputRaw);
    // An 'R' reply: the sensor and input type indices the device stores.
    void typesReplySignal(int sensorType, int inputType);
    // A 'C' reply.
    void configReplySignal();

protected:
    void run() override;

private:
    QList<Reply> takeReplies(QByteArray &dropped);
    bool frameStalled(int bufferSize, bool progressed);
    void handleReply(const Reply &reply);

    // How long the incomplete frame at the front of the buffer has waited
    // without a byte arriving or a reply being taken.
    QElapsedTimer m_waitingClock;
    int m_waitingSize = 0;
};
