#include "device/HandleThread.h"

#include "app/GlobalState.h"
#include "device/ReplyParser.h"

#include <QCoreApplication>
#include <QMutexLocker>

namespace {
constexpr unsigned long pollIntervalMs = 100;
}

HandleThread::HandleThread()
{
    registerInterfaceType();
}

void HandleThread::run()
{
    while (!isInterruptionRequested()) {
        const QList<Reply> replies = takeReplies();
        for (const Reply &reply : replies)
            handleReply(reply);
        QCoreApplication::processEvents();
        msleep(pollIntervalMs);
    }
}

// Holds the lock only for the pass over the buffer, never while sleeping.
QList<Reply> HandleThread::takeReplies()
{
    QMutexLocker locker(&rxMutex);
    return ReplyParser::parse(rxBuffer);
}

// Every value is stored before its signal goes out.
void HandleThread::handleReply(const Reply &reply)
{
    switch (reply.letter) {
    case 'L':
        emit updateSignal(Connected);
        break;
    case 'S':
        emit updateSignal(Disconnected);
        break;
    case 'R':
        deviceSensorType = reply.sensorType;
        deviceInputType = reply.inputType;
        emit updateSignal(DeviceTypes);
        break;
    case 'C':
        updateStatus(StatusCode::ConfigAcked);
        break;
    case 'V':
        replyAmplitudeRaw = reply.amplitudeRaw;
        replyOutputRaw = reply.outputRaw;
        emit updateSignal(PointResult);
        break;
    default:
        break;
    }
}
