// The device protocol without a port: command frames byte for byte, the reply
// parsing pass, and the worker that turns the shared buffer into signals.
#include "ReplyText.h"
#include "app/GlobalState.h"
#include "device/CommandFrames.h"
#include "device/Frame.h"
#include "device/HandleThread.h"

#include <QtTest>

namespace {
QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

QByteArray vibrate(int row, float amplitude, int sensorType, double frequency)
{
    return CommandFrames::vibrate(row, *CommandFrames::amplitudeCode(amplitude, sensorType),
                                  CommandFrames::frequencyCode(frequency));
}

// Feeds the stream in reads of the sizes given, with a parsing pass after each.
QList<Reply> parseInReads(const QByteArray &stream, const std::function<int()> &readSize,
                          QByteArray &buffer)
{
    QList<Reply> replies;
    for (int from = 0, size = 0; from < stream.size(); from += size) {
        size = readSize();
        buffer += stream.mid(from, size);
        replies += ReplyParser::parse(buffer);
    }
    return replies;
}

const QByteArray pointReply = hex("21560B 0100 E803 1027 A50D");

// Replies of every letter, of the shortest and of longer lengths.
const QList<QPair<QByteArray, QString>> sampleReplies = {
    {hex("214C05720D"), "L"},
    {hex("215305790D"), "S"},
    {hex("215207 FFFF 780D"), "R-1,-1"},
    {Frame::build('R', hex("020100")), "R2,1"},
    {Frame::build('C', {}), "C"},
    {pointReply, "V1000,10000"},
    {Frame::build('V', hex("0100 2003 9001 FFFF")), "V800,400"},
};

// A byte of line noise; without start bytes, any other value.
char noiseByte(QRandomGenerator &random, bool startBytes)
{
    return static_cast<char>(startBytes ? random.bounded(256)
                                        : Frame::startByte + 1 + random.bounded(255));
}

} // namespace

class TestDeviceProtocol : public QObject
{
    Q_OBJECT

private slots:
    void commandFrames_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("link") << CommandFrames::link() << hex("214C05720D");
        QTest::newRow("unlink") << CommandFrames::unlink() << hex("215305790D");
        QTest::newRow("read types") << CommandFrames::readTypes() << hex("215205780D");
        QTest::newRow("velocity, 4~20mA")
            << CommandFrames::configure(1, 3) << hex("2143070103 6F0D");
        QTest::newRow("no selection") << CommandFrames::configure(-1, -1) << hex("214307FFFF 690D");
        QTest::newRow("10 ms^-2 at 160 Hz")
            << vibrate(0, 10, 0, 160) << hex("21560A 01 9001 A000 B30D");
        QTest::newRow("truncated toward zero")
            << vibrate(0, 10.01f, 0, 160.99) << hex("21560A 01 9001 A000 B30D");
        // 2.3f × 40 is 91.9999981; rounded to single precision it is 92.
        QTest::newRow("single precision product")
            << vibrate(0, 2.3f, 0, 160) << hex("21560A 01 5C00 A000 7E0D");
        QTest::newRow("50 ms^-2 at 10000 Hz")
            << vibrate(1, 50, 0, 10000) << hex("21560A 02 D007 1027 910D");
        QTest::newRow("50 mms^-1, row 255 is point 0")
            << vibrate(255, 50, 1, 100) << hex("21560A 00 C800 6400 AD0D");
        QTest::newRow("50 um") << vibrate(255, 50, 2, 100) << hex("21560A 00 C800 6400 AD0D");
    }

    void commandFrames()
    {
        QFETCH(QByteArray, frame);
        QFETCH(QByteArray, expected);
        QCOMPARE(frame.toHex(' '), expected.toHex(' '));
    }

    void replyParsing_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<QString>("replies");
        QTest::newRow("two replies in one read, in order")
            << hex("214C05720D 215207 0201 7D0D") << "L R2,1";
        QTest::newRow("fixed frames compared frame by frame")
            << hex("214C05720D 215305790D") << "L S";
        QTest::newRow("types FF FF, then configure")
            << hex("215207 FFFF 780D 214307 0103 6F0D") << "R-1,-1 C";
        // Whatever comes first, the valid reply behind it is still handled.
        const auto skipped = [](const char *name, const QByteArray &garbage) {
            QTest::newRow(name) << garbage + pointReply << "V1000,10000";
        };
        skipped("noise byte before a reply", hex("FF"));
        skipped("lone start byte", hex("21"));
        skipped("wrong start byte", hex("224C05720D"));
        skipped("wrong terminator", hex("214C05720A"));
        skipped("wrong checksum", hex("215207 0102 7E0D"));
        skipped("unknown letter", Frame::build('X', hex("0102")));
        skipped("L with a payload", Frame::build('L', hex("00")));
        skipped("S with a payload", Frame::build('S', hex("00")));
        skipped("length below 5", hex("215603 7A0D"));
        skipped("R too short", Frame::build('R', {}));
        skipped("V too short", Frame::build('V', hex("0100E80310")));
    }

    // In one read, and split into single bytes: a reply is handled once its
    // last byte has arrived, and nothing is left behind.
    void replyParsing()
    {
        QFETCH(QByteArray, stream);
        for (const int readSize : {int(stream.size()), 1}) {
            QByteArray buffer;
            QTEST(describe(parseInReads(
                      stream, [=] { return readSize; }, buffer)),
                  "replies");
            QVERIFY(buffer.isEmpty());
        }
    }

    // Replies with line noise between them, in reads cut at random points. Noise
    // without start bytes loses no reply; noise with them may swallow some, but
    // the outcome never depends on the cuts, and a frame that announces the
    // longest length and never proves valid is dropped, so the buffer drains.
    void randomStreamsNeverStall()
    {
        QRandomGenerator random(20240601);
        for (int round = 0; round < 400; ++round) {
            const bool startBytesInNoise = round % 2;
            QByteArray stream;
            QStringList expected;
            for (int i = 0; i < 20; ++i) {
                for (int noise = random.bounded(20); noise > 0; --noise)
                    stream += noiseByte(random, startBytesInNoise);
                const auto &reply = sampleReplies.at(random.bounded(sampleReplies.size()));
                stream += reply.first;
                expected << reply.second;
            }
            stream += hex("2156FF") + QByteArray(Frame::maximumLength, '\0');
            QByteArray whole = stream;
            const QString atOnce = describe(ReplyParser::parse(whole));
            QByteArray buffer;
            const auto randomSize = [&random] { return 1 + random.bounded(40); };
            QCOMPARE(describe(parseInReads(stream, randomSize, buffer)), atOnce);
            QVERIFY(whole.isEmpty() && buffer.isEmpty());
            if (!startBytesInNoise)
                QCOMPARE(atOnce, expected.join(QLatin1Char(' ')));
        }
    }

    // The window reads the values when the signal arrives, so they must be stored
    // by then; the configure reply only applies its status code.
    void workerStoresValuesBeforeSignalling()
    {
        rxBuffer = hex("214C05720D 215207 0201 7D0D 214307 0103 6F0D FF 215305790D") + pointReply;
        updateStatus(StatusCode::ConfigSent);
        HandleThread worker;
        QStringList seen;
        connect(
            &worker, &HandleThread::updateSignal, this,
            [&seen](InterfaceType_e type) {
                seen << QString::asprintf("%d:%d,%d,%d,%d", type, deviceSensorType, deviceInputType,
                                          replyAmplitudeRaw, replyOutputRaw);
            },
            Qt::BlockingQueuedConnection);
        worker.start();
        QTRY_COMPARE(seen.size(), 4);
        worker.requestInterruption();
        QVERIFY(worker.wait(5000));
        QCOMPARE(seen, (QStringList{"2:0,0,0,0", "4:2,1,0,0", "3:2,1,0,0", "13:2,1,1000,10000"}));
        QVERIFY(configSent && configAcked);
    }
};

QTEST_GUILESS_MAIN(TestDeviceProtocol)
#include "tst_device_protocol.moc"
