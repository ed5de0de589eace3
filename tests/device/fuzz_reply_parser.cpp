// libFuzzer target of the reply parser. The first input byte sets the size of
// the pieces in which the rest arrives. Feeding the pieces must give the same
// replies and the same leftover as one pass over everything, every reply must
// be one the table accepts, and the leftover must be an incomplete frame.
#include "device/Frame.h"
#include "device/ReplyParser.h"

#include <cstdint>
#include <cstdlib>

namespace {
bool sameReplies(const QList<Reply> &left, const QList<Reply> &right)
{
    if (left.size() != right.size())
        return false;
    for (int i = 0; i < left.size(); ++i) {
        const Reply &a = left.at(i);
        const Reply &b = right.at(i);
        if (a.letter != b.letter || a.sensorType != b.sensorType || a.inputType != b.inputType ||
            a.amplitudeRaw != b.amplitudeRaw || a.outputRaw != b.outputRaw)
            return false;
    }
    return true;
}

bool acceptedLetter(char letter)
{
    return letter == 'L' || letter == 'S' || letter == 'R' || letter == 'C' || letter == 'V';
}

bool incompleteFrame(const QByteArray &leftover)
{
    return leftover.isEmpty() ||
           (leftover.at(0) == Frame::startByte && leftover.size() < Frame::maximumLength);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int piece = 1 + data[0] % 64;
    const QByteArray stream(reinterpret_cast<const char *>(data + 1), static_cast<int>(size - 1));

    QByteArray whole = stream;
    const QList<Reply> atOnce = ReplyParser::parse(whole);
    QByteArray buffer;
    QList<Reply> inPieces;
    for (int from = 0; from < stream.size(); from += piece) {
        buffer.append(stream.mid(from, piece));
        inPieces += ReplyParser::parse(buffer);
    }
    if (!sameReplies(atOnce, inPieces) || buffer != whole || !incompleteFrame(whole))
        std::abort();
    for (const Reply &reply : atOnce) {
        if (!acceptedLetter(reply.letter))
            std::abort();
    }
    return 0;
}
