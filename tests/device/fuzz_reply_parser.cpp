// libFuzzer target of the reply parser. The first input byte sets the size of
// the pieces in which the rest arrives. Whether fed in one pass or in pieces,
// every reply must be one the table accepts, no complete acceptable frame may
// be left behind in the buffer after any pass, and the leftover must be an
// incomplete frame.
#include "device/Frame.h"
#include "device/ReplyParser.h"

#include <cstdint>
#include <cstdlib>

namespace {
// True when a frame that the parser should have taken starts at data.
bool acceptableFrame(const char *data, int available)
{
    if (available < Frame::minimumLength || data[0] != Frame::startByte)
        return false;
    const int length = static_cast<quint8>(data[2]);
    if (length > available || !Frame::isWellFormed(data, length))
        return false;
    switch (data[1]) {
    case 'L':
    case 'S':
        return length == Frame::minimumLength;
    case 'R':
        return length >= 7;
    case 'C':
        return true;
    case 'V':
        return length >= 11;
    default:
        return false;
    }
}

void checkLeftover(const QByteArray &buffer)
{
    if (!buffer.isEmpty() &&
        (buffer.at(0) != Frame::startByte || buffer.size() >= Frame::maximumLength))
        std::abort();
    for (int i = 0; i < buffer.size(); ++i) {
        if (acceptableFrame(buffer.constData() + i, buffer.size() - i))
            std::abort();
    }
}

void checkReplies(const QList<Reply> &replies)
{
    for (const Reply &reply : replies) {
        if (!QByteArray("LSRCV").contains(reply.letter))
            std::abort();
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int piece = 1 + data[0] % 64;
    const QByteArray stream(reinterpret_cast<const char *>(data + 1), static_cast<int>(size - 1));
    QByteArray whole = stream;
    checkReplies(ReplyParser::parse(whole));
    checkLeftover(whole);
    QByteArray buffer;
    for (int from = 0; from < stream.size(); from += piece) {
        buffer.append(stream.mid(from, piece));
        checkReplies(ReplyParser::parse(buffer));
        checkLeftover(buffer);
    }
    return 0;
}
