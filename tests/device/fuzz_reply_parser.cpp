// libFuzzer target of the reply parser. The first input byte sets the size of
// the pieces in which the rest arrives. Feeding the pieces must give the same
// replies and the same leftover as one pass over everything, every reply must
// be one the table accepts, and the leftover must be an incomplete frame.
#include "ReplyText.h"
#include "device/Frame.h"

#include <cstdint>
#include <cstdlib>

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
    const bool incompleteLeftover =
        whole.isEmpty() || (whole.at(0) == Frame::startByte && whole.size() < Frame::maximumLength);
    if (describe(atOnce) != describe(inPieces) || buffer != whole || !incompleteLeftover)
        std::abort();
    for (const Reply &reply : atOnce) {
        if (!QByteArray("LSRCV").contains(reply.letter))
            std::abort();
    }
    return 0;
}
