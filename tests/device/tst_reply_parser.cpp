// The reply parsing pass: what it takes, what it drops, what it waits for.
#include "device/Frame.h"
#include "device/ReplyParser.h"

#include <QtTest>

#include <QRandomGenerator>

namespace {
QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

const QByteArray validVibrate = hex("21560B 0100 E803 1027 A50D");

QString letters(const QList<Reply> &replies)
{
    QString text;
    for (const Reply &reply : replies)
        text += QLatin1Char(reply.letter);
    return text;
}

// Parses the stream handed over in pieces, as successive reads would.
QList<Reply> parseInPieces(const QByteArray &stream, const QList<int> &cuts, QByteArray &buffer)
{
    QList<Reply> replies;
    int from = 0;
    for (int cut : cuts + QList<int>{stream.size()}) {
        buffer.append(stream.mid(from, cut - from));
        replies += ReplyParser::parse(buffer);
        from = cut;
    }
    return replies;
}

QByteArray randomBytes(QRandomGenerator &random, int count, bool allowStartByte)
{
    QByteArray bytes;
    while (bytes.size() < count) {
        const char byte = static_cast<char>(random.bounded(256));
        if (allowStartByte || byte != Frame::startByte)
            bytes.append(byte);
    }
    return bytes;
}

QByteArray randomReply(QRandomGenerator &random)
{
    switch (random.bounded(5)) {
    case 0:
        return hex("214C05720D");
    case 1:
        return hex("215305790D");
    case 2:
        return Frame::build('R', randomBytes(random, 2 + random.bounded(3), true));
    case 3:
        return Frame::build('C', randomBytes(random, random.bounded(4), true));
    default:
        return Frame::build('V', randomBytes(random, 6 + random.bounded(4), true));
    }
}

QList<int> randomCuts(QRandomGenerator &random, int size)
{
    QList<int> cuts;
    for (int position = random.bounded(40); position < size; position += 1 + random.bounded(40))
        cuts.append(position);
    return cuts;
}
} // namespace

class TestReplyParser : public QObject
{
    Q_OBJECT

private slots:
    void twoRepliesInOneReadInOrder();
    void splitReplyHandledOnceComplete();
    void replyValues();
    void invalidFrameSkipped_data();
    void invalidFrameSkipped();
    void fixedFrameComparedFrameByFrame();
    void randomStreamsAnyCutPoints();
    void randomNoiseWithStartBytesNeverStalls();
};

void TestReplyParser::twoRepliesInOneReadInOrder()
{
    QByteArray buffer = hex("214C05720D 215207 0102 7D0D");
    const QList<Reply> replies = ReplyParser::parse(buffer);
    QCOMPARE(letters(replies), QStringLiteral("LR"));
    QVERIFY(buffer.isEmpty());
}

void TestReplyParser::splitReplyHandledOnceComplete()
{
    QByteArray buffer = validVibrate.left(4);
    QVERIFY(ReplyParser::parse(buffer).isEmpty());
    QCOMPARE(buffer, validVibrate.left(4));
    buffer.append(validVibrate.mid(4));
    QCOMPARE(letters(ReplyParser::parse(buffer)), QStringLiteral("V"));
    QVERIFY(buffer.isEmpty());
    QVERIFY(ReplyParser::parse(buffer).isEmpty());
}

void TestReplyParser::replyValues()
{
    QByteArray buffer = hex("215207 FFFF 780D") + validVibrate + hex("214307 0103 6F0D");
    const QList<Reply> replies = ReplyParser::parse(buffer);
    QCOMPARE(letters(replies), QStringLiteral("RVC"));
    QCOMPARE(replies.at(0).sensorType, -1);
    QCOMPARE(replies.at(0).inputType, -1);
    QCOMPARE(replies.at(1).amplitudeRaw, 1000);
    QCOMPARE(replies.at(1).outputRaw, 10000);
}

void TestReplyParser::invalidFrameSkipped_data()
{
    QTest::addColumn<QByteArray>("garbage");
    QTest::newRow("noise byte before a reply") << hex("FF");
    QTest::newRow("noise that looks like a length") << hex("0A 21");
    QTest::newRow("wrong start byte") << hex("224C05720D");
    QTest::newRow("wrong terminator") << hex("214C05720A");
    QTest::newRow("wrong checksum") << hex("215207 0102 7E0D");
    QTest::newRow("unknown letter") << Frame::build('X', hex("0102"));
    QTest::newRow("L with a payload") << Frame::build('L', hex("00"));
    QTest::newRow("S with a payload") << Frame::build('S', hex("00"));
    QTest::newRow("length below 5") << hex("215603 7A0D");
    QTest::newRow("R too short") << Frame::build('R', {});
    QTest::newRow("V too short") << Frame::build('V', hex("0100E80310"));
    QTest::newRow("lone start byte") << hex("21");
}

// Whatever comes first, the valid reply behind it is still handled.
void TestReplyParser::invalidFrameSkipped()
{
    QFETCH(QByteArray, garbage);
    QByteArray buffer = garbage + validVibrate;
    const QList<Reply> replies = ReplyParser::parse(buffer);
    QCOMPARE(letters(replies), QStringLiteral("V"));
    QCOMPARE(replies.first().amplitudeRaw, 1000);
    QVERIFY(buffer.isEmpty());
}

void TestReplyParser::fixedFrameComparedFrameByFrame()
{
    QByteArray buffer = hex("214C05720D 2153");
    QCOMPARE(letters(ReplyParser::parse(buffer)), QStringLiteral("L"));
    QCOMPARE(buffer, hex("2153"));
}

// Random replies with noise between them (never a start byte), cut at random
// points: every reply is handled exactly once, in order, and nothing is left.
void TestReplyParser::randomStreamsAnyCutPoints()
{
    QRandomGenerator random(20240601);
    for (int round = 0; round < 200; ++round) {
        QByteArray stream;
        QString expected;
        for (int i = 0; i < 30; ++i) {
            stream += randomBytes(random, random.bounded(6), false);
            const QByteArray reply = randomReply(random);
            stream += reply;
            expected += QLatin1Char(reply.at(1));
        }
        QByteArray buffer;
        const QList<Reply> replies =
            parseInPieces(stream, randomCuts(random, stream.size()), buffer);
        QCOMPARE(letters(replies), expected);
        QVERIFY(buffer.isEmpty());
    }
}

// Noise may hold start bytes that open bogus frames; whatever the cut points,
// the result equals parsing the whole stream at once, and once enough bytes
// follow, the buffer drains.
void TestReplyParser::randomNoiseWithStartBytesNeverStalls()
{
    QRandomGenerator random(77);
    for (int round = 0; round < 200; ++round) {
        QByteArray stream;
        for (int i = 0; i < 20; ++i)
            stream += randomBytes(random, random.bounded(20), true) + randomReply(random);
        stream += randomBytes(random, 40, true);
        stream += hex("21 56 FF") + QByteArray(Frame::maximumLength, '\0');

        QByteArray whole = stream;
        const QList<Reply> atOnce = ReplyParser::parse(whole);
        QByteArray buffer;
        const QList<Reply> inPieces =
            parseInPieces(stream, randomCuts(random, stream.size()), buffer);
        QCOMPARE(letters(inPieces), letters(atOnce));
        QVERIFY(whole.isEmpty());
        QVERIFY(buffer.isEmpty());
    }
}

QTEST_APPLESS_MAIN(TestReplyParser)
#include "tst_reply_parser.moc"
