#pragma once

#include "app/InterfaceType.h"

#include <QElapsedTimer>
#include <QThread>

struct Reply;

// The reply parser: every 100 ms it cuts the complete replies off the shared
// receive buffer, stores what they carry in the global record and reports
// them. It runs until an interruption is requested.
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
