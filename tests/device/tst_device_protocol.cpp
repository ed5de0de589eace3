// The device protocol without a port: command frames byte for byte, the reply
// parsing pass, and the worker that turns the shared buffer into signals.
#include "ReplyText.h"
#include "app/GlobalState.h"
#include "device/CommandFrames.h"
#include "device/Frame.h"
#include "device/HandleThread.h"
#include "device/PointLedger.h"

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

// Bytes that come before a reply and are not one: line noise, damaged frames
// and false headers that announce more bytes than follow them.
const QList<QPair<const char *, QByteArray>> garbageBeforeReply = {
    {"noise byte before a reply", hex("FF")},
    {"lone start byte", hex("21")},
    {"wrong start byte", hex("224C05720D")},
    {"wrong terminator", hex("214C05720A")},
    {"wrong checksum", hex("215207 0102 7E0D")},
    {"unknown letter", Frame::build('X', hex("0102"))},
    {"L with a payload", Frame::build('L', hex("00"))},
    {"S with a payload", Frame::build('S', hex("00"))},
    {"length below 5", hex("215603 7A0D")},
    {"R too short", Frame::build('R', {})},
    {"V too short", Frame::build('V', hex("0100E80310"))},
    {"damaged length byte 1B", hex("21561B 0100 E803 1027 A50D")},
    {"false header 21 43 FF", hex("2143FF")},
    {"false header of 200 bytes with noise", hex("2156C8 0102 21 5207")},
    {"truncated reply", hex("21560B 0100 E8")},
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
        for (const auto &garbage : garbageBeforeReply)
            QTest::newRow(garbage.first) << garbage.second + pointReply << "V1000,10000";
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

    // Garbage in front of a reply never holds it back: arriving a byte at a
    // time, the reply comes out of the very pass that gets its last byte.
    void replyTakenWithItsLastByte_data()
    {
        QTest::addColumn<QByteArray>("garbage");
        for (const auto &garbage : garbageBeforeReply)
            QTest::newRow(garbage.first) << garbage.second;
    }

    void replyTakenWithItsLastByte()
    {
        QFETCH(QByteArray, garbage);
        const QByteArray stream = garbage + pointReply;
        QByteArray buffer;
        for (int i = 0; i + 1 < stream.size(); ++i) {
            buffer += stream.at(i);
            QCOMPARE(describe(ReplyParser::parse(buffer)), QString());
        }
        buffer += stream.back();
        QCOMPARE(describe(ReplyParser::parse(buffer)), QString("V1000,10000"));
        QVERIFY(buffer.isEmpty());
    }

    // Replies with line noise between them, in reads cut at random points. No
    // reply is lost, not even to noise with start bytes; the outcome never
    // depends on the cuts, and a frame that announces the longest length and
    // never proves valid is dropped, so the buffer drains.
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
            QCOMPARE(atOnce, expected.join(QLatin1Char(' ')));
        }
    }

    // Every reply reaches the window through a queued signal that carries its
    // values, so two replies of one pass keep their own: nothing waits for the
    // window, and the worker writes no shared value.
    void workerSignalsEveryReplyWithItsValues()
    {
        rxBuffer = hex("214C05720D 215207 0201 7D0D 214307 0103 6F0D FF 215305790D") + pointReply +
                   Frame::build('R', hex("0003")) + Frame::build('V', hex("0200 2003 9001"));
        HandleThread worker;
        QStringList seen;
        connect(&worker, &HandleThread::updateSignal, this,
                [&seen](InterfaceType_e type) { seen << QString::number(type); });
        connect(&worker, &HandleThread::typesReplySignal, this, [&seen](int sensor, int input) {
            seen << QString::asprintf("R%d,%d", sensor, input);
        });
        connect(&worker, &HandleThread::configReplySignal, this, [&seen] { seen << "C"; });
        connect(&worker, &HandleThread::pointReplySignal, this,
                [&seen](int number, int amplitude, int output) {
                    seen << QString::asprintf("V%d:%d,%d", number, amplitude, output);
                });
        worker.start();
        QTRY_COMPARE(seen.size(), 7);
        worker.requestInterruption();
        QVERIFY(worker.wait(5000));
        QCOMPARE(seen, (QStringList{"2", "R2,1", "C", "3", "V1:1000,10000", "R0,3", "V2:800,400"}));
    }

    // A reply split across reads with a pause is still taken; an incomplete
    // frame that gets no further byte for seconds is dropped, so a false
    // header does not sit in the buffer until the next reply.
    void workerKeepsSplitReplyAndDropsStalledFrame()
    {
        const auto buffered = [] {
            QMutexLocker locker(&rxMutex);
            return rxBuffer;
        };
        const auto append = [](const QByteArray &bytes) {
            QMutexLocker locker(&rxMutex);
            rxBuffer += bytes;
        };
        rxBuffer = pointReply.left(6);
        HandleThread worker;
        QStringList seen;
        connect(&worker, &HandleThread::pointReplySignal, this,
                [&seen](int number) { seen << QString::number(number); });
        worker.start();
        QTest::qWait(700);
        append(pointReply.mid(6));
        QTRY_COMPARE(seen, QStringList{"1"});
        append(hex("2156FF 0102 21"));
        QTest::qWait(1000);
        QCOMPARE(buffered(), hex("2156FF 0102 21"));
        QTRY_VERIFY_WITH_TIMEOUT(buffered().isEmpty(), 5000);
        append(pointReply);
        QTRY_COMPARE(seen, (QStringList{"1", "1"}));
        worker.requestInterruption();
        QVERIFY(worker.wait(5000));
    }

    // Operations on the ledger ("begin U|E|N" for a link to a calibrator known
    // as unknown, echoing or not echoing; "await n", "release", "timeout",
    // "take n", "held" for taking the held reply), the verdicts of the takes
    // (A accepted, N not awaited, M mismatched, H held) and what is known of
    // the calibrator at the end.
    void pointLedger_data()
    {
        QTest::addColumn<QString>("operations");
        QTest::addColumn<QString>("verdicts");
        QTest::addColumn<QString>("echo");
        QTest::newRow("nothing awaited") << "take 1"
                                         << "N"
                                         << "U";
        QTest::newRow("second copy of the answer") << "await 1, take 1, take 1"
                                                   << "A N"
                                                   << "U";
        QTest::newRow("wait over") << "await 1, release, take 1"
                                   << "N"
                                   << "U";
        QTest::newRow("two points echoed") << "await 1, take 1, await 2, take 2"
                                           << "A A"
                                           << "E";
        QTest::newRow("unknown: awaited number beats a held one")
            << "await 2, take 1, take 7, take 2"
            << "H M A"
            << "U";
        QTest::newRow("always 1") << "await 1, take 1, await 2, take 1, held, await 3, take 1, "
                                     "held, await 4, take 1"
                                  << "A H H A"
                                  << "N";
        QTest::newRow("point 1 twice (stop, start) proves nothing")
            << "await 1, take 1, release, await 1, take 1"
            << "A A"
            << "U";
        QTest::newRow("echoing: stray and earlier numbers refused")
            << "begin E, await 3, take 99, take 2, take 3"
            << "M M A"
            << "E";
        QTest::newRow("echoing: silent timeout keeps it") << "begin E, await 1, timeout"
                                                          << ""
                                                          << "E";
        QTest::newRow("echoing replaced by one that does not echo")
            << "begin E, await 1, take 0, timeout, await 2, take 0"
            << "M H"
            << "U";
        QTest::newRow("not echoing: any number") << "begin N, await 5, take 9"
                                                 << "A"
                                                 << "N";
        QTest::newRow("not echoing, then two points echoed")
            << "begin N, await 1, take 1, await 2, take 2"
            << "A A"
            << "E";
        QString zeros = "await 1, take 0, held, await 2, take 0, held";
        for (int row = 2; row < 260; ++row)
            zeros += QStringLiteral(", await %1, take 0").arg((row + 1) % 256);
        QTest::newRow("always 0 over 260 points")
            << zeros << "H H" + QString(" A").repeated(258) << "N";
    }

    void pointLedger()
    {
        QFETCH(QString, operations);
        PointLedger ledger;
        QStringList verdicts;
        for (const QString &operation : operations.split(QStringLiteral(", "))) {
            const QStringList words = operation.split(QLatin1Char(' '));
            const QString number = words.value(1);
            if (words.first() == "begin")
                ledger.begin(static_cast<PointLedger::Echo_e>(QString("UEN").indexOf(number)));
            else if (words.first() == "await")
                ledger.await(static_cast<quint8>(number.toInt()));
            else if (words.first() == "release")
                ledger.release();
            else if (words.first() == "timeout")
                ledger.timedOut();
            else if (words.first() == "held")
                ledger.takeHeld();
            else
                verdicts << QString("ANMH").at(ledger.take(static_cast<quint8>(number.toInt())));
        }
        QTEST(verdicts.join(QLatin1Char(' ')), "verdicts");
        QTEST(QString(QString("UEN").at(ledger.echo())), "echo");
    }
};

QTEST_GUILESS_MAIN(TestDeviceProtocol)
#include "tst_device_protocol.moc"
