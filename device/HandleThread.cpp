#include "device/HandleThread.h"

#include "app/GlobalState.h"
#include "device/FrameCutter.h"
#include "device/ReplyParser.h"

#include <QCoreApplication>
#include <QDebug>
#include <QMutexLocker>

namespace {
constexpr unsigned long pollIntervalMs = 100;
// The longest frame takes 266 ms at 9600 baud; an incomplete frame that gets
// no further byte for much longer than that will not complete.
constexpr qint64 stalledFrameMs = 2000;
} // namespace

HandleThread::HandleThread()
{
    registerInterfaceType();
}

void HandleThread::run()
{
    m_waitingClock.start();
    while (!isInterruptionRequested()) {
        QByteArray dropped;
        const QList<Reply> replies = takeReplies(dropped);
        if (!dropped.isEmpty())
            qDebug().noquote() << QStringLiteral("丢弃停滞的不完整帧:")
                               << QString::fromLatin1(dropped.toHex(' ').toUpper());
        for (const Reply &reply : replies)
            handleReply(reply);
        QCoreApplication::processEvents();
        msleep(pollIntervalMs);
    }
}

// Holds the lock only for the pass over the buffer, never while sleeping. A
// stalled incomplete frame is dropped up to the next start byte, and what
// follows it is parsed in the same pass.
QList<Reply> HandleThread::takeReplies(QByteArray &dropped)
{
    QMutexLocker locker(&rxMutex);
    QList<Reply> replies = ReplyParser::parse(rxBuffer);
    if (frameStalled(rxBuffer.size(), !replies.isEmpty())) {
        dropped = FrameCutter::dropFrontFrame(rxBuffer);
        replies += ReplyParser::parse(rxBuffer);
        m_waitingSize = rxBuffer.size();
    }
    return replies;
}

// A buffer whose size has not changed since the last pass got no byte and
// gave no reply; once that has lasted long enough, its front frame is stalled.
bool HandleThread::frameStalled(int bufferSize, bool progressed)
{
    if (bufferSize == 0 || progressed || bufferSize != m_waitingSize) {
        m_waitingSize = bufferSize;
        m_waitingClock.restart();
        return false;
    }
    if (m_waitingClock.elapsed() < stalledFrameMs)
        return false;
    m_waitingClock.restart();
    return true;
}

// Each reply carries its values in its signal, so a second reply handled in
// the same pass cannot overwrite the first before the window has read it.
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
        emit typesReplySignal(reply.sensorType, reply.inputType);
        break;
    case 'C':
        emit configReplySignal();
        break;
    case 'V':
        emit pointReplySignal(reply.pointNumber, reply.amplitudeRaw, reply.outputRaw);
        break;
    default:
        break;
    }
}
