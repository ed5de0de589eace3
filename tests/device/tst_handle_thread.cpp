// The worker thread: replies from the shared buffer become stored values and
// queued signals, in order; it stops when asked.
#include "app/GlobalState.h"
#include "device/HandleThread.h"

#include <QtTest>

namespace {
void appendReceived(const char *hexText)
{
    QMutexLocker locker(&rxMutex);
    rxBuffer.append(QByteArray::fromHex(hexText));
}

QByteArray received()
{
    QMutexLocker locker(&rxMutex);
    return rxBuffer;
}

// What the window sees when the queued signal arrives.
struct Event
{
    InterfaceType_e type;
    qint32 first;
    qint32 second;
};
} // namespace

class TestHandleThread : public QObject
{
    Q_OBJECT

private slots:
    void repliesReachWindowInOrderWithValues();
};

void TestHandleThread::repliesReachWindowInOrderWithValues()
{
    appendReceived("214C05720D 215207 0201 7D0D 214307 0103 6F0D FF 2153");
    updateStatus(12);
    HandleThread worker;
    QList<Event> events;
    connect(
        &worker, &HandleThread::updateSignal, this,
        [&events](InterfaceType_e type) {
            if (type == DeviceTypes)
                events.append({type, deviceSensorType, deviceInputType});
            else
                events.append({type, replyAmplitudeRaw, replyOutputRaw});
        },
        Qt::QueuedConnection);
    worker.start();
    QTRY_COMPARE(events.size(), 2);
    QCOMPARE(events.at(0).type, Connected);
    QCOMPARE(events.at(1).type, DeviceTypes);
    QCOMPARE(events.at(1).first, 2);
    QCOMPARE(events.at(1).second, 1);
    QTRY_COMPARE(received(), QByteArray::fromHex("2153"));

    appendReceived("05790D 21560B 0100 2003 9001 370D");
    QTRY_COMPARE(events.size(), 4);
    QCOMPARE(events.at(2).type, Disconnected);
    QCOMPARE(events.at(3).type, PointResult);
    QCOMPARE(events.at(3).first, 800);
    QCOMPARE(events.at(3).second, 400);

    worker.requestInterruption();
    QVERIFY(worker.wait(5000));
    QVERIFY2(configSent && configAcked, "the configure reply applies code 13, silently");
    QVERIFY(received().isEmpty());
}

QTEST_GUILESS_MAIN(TestHandleThread)
#include "tst_handle_thread.moc"
