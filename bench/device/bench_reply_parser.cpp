// Reply parser figures: throughput on a stream of valid replies, and the time
// to resynchronise through line noise (1 MiB and 2 MiB, to show it is linear).
#include "device/Frame.h"
#include "device/ReplyParser.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {
constexpr int readSize = 1024;

QByteArray validStream(int frames)
{
    const QByteArray vibrate = Frame::build('V', QByteArray::fromHex("0100E8031027"));
    const QByteArray types = Frame::build('R', QByteArray::fromHex("0102"));
    QByteArray stream;
    for (int i = 0; i < frames; ++i)
        stream += (i % 4 == 0) ? types : vibrate;
    return stream;
}

QByteArray lineNoise(int bytes)
{
    QRandomGenerator random(42);
    QByteArray noise(bytes, Qt::Uninitialized);
    for (char &byte : noise)
        byte = static_cast<char>(random.bounded(256));
    return noise;
}

// Feeds the stream as the port would deliver it, in reads of readSize bytes,
// with one parsing pass after each read. Returns the replies found.
int parseInReads(const QByteArray &stream)
{
    QByteArray buffer;
    int replies = 0;
    for (int from = 0; from < stream.size(); from += readSize) {
        buffer.append(stream.constData() + from, qMin(readSize, stream.size() - from));
        replies += ReplyParser::parse(buffer).size();
    }
    return replies;
}

int parseAtOnce(const QByteArray &stream)
{
    QByteArray buffer = stream;
    return ReplyParser::parse(buffer).size();
}

// Best of several runs, in milliseconds.
double bestMs(int runs, const std::function<int()> &work, int &result)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        result = work();
        best = std::min(best, clock.nsecsElapsed() / 1e6);
    }
    return best;
}

void throughput(int frames, int runs)
{
    const QByteArray stream = validStream(frames);
    int found = 0;
    const double inReads = bestMs(
        runs, [&] { return parseInReads(stream); }, found);
    std::printf("valid replies, %d frames (%d bytes) in %d-byte reads: %.2f ms, %.2f M frames/s "
                "(%d found)\n",
                frames, int(stream.size()), readSize, inReads, frames / inReads / 1e3, found);
    const double atOnce = bestMs(
        runs, [&] { return parseAtOnce(stream); }, found);
    std::printf("valid replies, %d frames in one pass: %.2f ms, %.2f M frames/s (%d found)\n",
                frames, atOnce, frames / atOnce / 1e3, found);
}

double resync(int mebibytes, int runs)
{
    const QByteArray reply = Frame::build('V', QByteArray::fromHex("0100E8031027"));
    const QByteArray stream =
        lineNoise(mebibytes << 20) + QByteArray(Frame::maximumLength, '\0') + reply;
    int found = 0;
    const double atOnce = bestMs(
        runs, [&] { return parseAtOnce(stream); }, found);
    const double inReads = bestMs(
        runs, [&] { return parseInReads(stream); }, found);
    std::printf("resync through %d MiB of line noise: one pass %.2f ms, in %d-byte reads %.2f ms "
                "(reply after the noise found: %s)\n",
                mebibytes, atOnce, readSize, inReads, found >= 1 ? "yes" : "NO");
    return atOnce;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const bool quick = app.arguments().contains(QStringLiteral("--short"));
    const int runs = quick ? 2 : 7;
    throughput(quick ? 20000 : 200000, runs);
    const double one = resync(1, runs);
    const double two = resync(2, runs);
    std::printf("2 MiB / 1 MiB time ratio: %.2f (linear: about 2)\n", two / one);
    return 0;
}
