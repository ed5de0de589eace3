// Reply parser figures: throughput on a stream of valid replies, and the time
// to resynchronise through line noise and through false frame headers (1 MiB
// and 2 MiB, to show it is linear).
#include "device/Frame.h"
#include "device/ReplyParser.h"

#include <QtCore>

#include <cstdio>

namespace {
constexpr int readSize = 1024;
const QByteArray pointReply = Frame::build('V', QByteArray::fromHex("0100E8031027"));

// Best time in milliseconds over several runs of feeding the stream in reads
// of the given size, with a parsing pass after each read, as the port would
// deliver it; and the number of replies found.
QPair<double, int> bestMs(int runs, const QByteArray &stream, int size)
{
    double best = 1e300;
    int found = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        QByteArray buffer;
        found = 0;
        for (int from = 0; from < stream.size(); from += size) {
            buffer.append(stream.constData() + from, qMin(size, stream.size() - from));
            found += ReplyParser::parse(buffer).size();
        }
        best = std::min(best, clock.nsecsElapsed() / 1e6);
    }
    return {best, found};
}

// One types reply to three point replies.
void throughput(int frames, int runs)
{
    const QByteArray types = Frame::build('R', QByteArray::fromHex("0102"));
    const QByteArray stream = (types + pointReply + pointReply + pointReply).repeated(frames / 4);
    const auto [reads, readsFound] = bestMs(runs, stream, readSize);
    std::printf("valid replies, %d frames (%d bytes) in %d-byte reads: %.2f ms, %.2f M frames/s "
                "(%d found)\n",
                frames, int(stream.size()), readSize, reads, frames / reads / 1e3, readsFound);
    const auto [once, onceFound] = bestMs(runs, stream, stream.size());
    std::printf("valid replies, %d frames in one pass: %.2f ms, %.2f M frames/s (%d found)\n",
                frames, once, frames / once / 1e3, onceFound);
}

// Random bytes, or false headers that each announce the longest length, then
// a frame that announces the longest length and never proves valid, then one
// reply; returns the one-pass time.
double resync(const char *kind, const QByteArray &garbage, int runs)
{
    const QByteArray stream = garbage + QByteArray(Frame::maximumLength, '\0') + pointReply;
    const double once = bestMs(runs, stream, stream.size()).first;
    const auto [reads, found] = bestMs(runs, stream, readSize);
    std::printf("resync through %d MiB of %s: one pass %.2f ms, in %d-byte reads %.2f ms "
                "(reply after them found: %s)\n",
                int(garbage.size() >> 20), kind, once, readSize, reads, found >= 1 ? "yes" : "NO");
    return once;
}

QByteArray lineNoise(int mebibytes)
{
    QByteArray noise(mebibytes << 20, Qt::Uninitialized);
    QRandomGenerator(42).fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
    return noise;
}

QByteArray falseHeaders(int mebibytes)
{
    return QByteArray::fromHex("2156FF01").repeated((mebibytes << 20) / 4);
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const bool quick = app.arguments().contains(QStringLiteral("--short"));
    const int runs = quick ? 2 : 7;
    throughput(quick ? 20000 : 200000, runs);
    const double noise = resync("line noise", lineNoise(1), runs);
    std::printf("2 MiB / 1 MiB time ratio: %.2f (linear: about 2)\n",
                resync("line noise", lineNoise(2), runs) / noise);
    const double headers = resync("false headers", falseHeaders(1), runs);
    std::printf("2 MiB / 1 MiB time ratio: %.2f (linear: about 2)\n",
                resync("false headers", falseHeaders(2), runs) / headers);
}
