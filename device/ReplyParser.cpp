#include "device/ReplyParser.h"

#include "device/FrameCutter.h"

namespace {
const FrameCutter &replyCutter()
{
    static const FrameCutter cutter(
        {{'L', 5, 5}, {'S', 5, 5}, {'R', 7, 255}, {'C', 5, 255}, {'V', 11, 255}});
    return cutter;
}
} // namespace

QList<Reply> ReplyParser::parse(QByteArray &buffer)
{
    QList<Reply> replies;
    const QList<QByteArray> frames = replyCutter().cut(buffer);
    for (const QByteArray &frame : frames)
        replies.append(decode(frame));
    return replies;
}

Reply ReplyParser::decode(const QByteArray &frame)
{
    Reply reply;
    reply.letter = frame.at(1);
    if (reply.letter == 'R') {
        reply.sensorType = static_cast<qint8>(frame.at(3));
        reply.inputType = static_cast<qint8>(frame.at(4));
    } else if (reply.letter == 'V') {
        reply.pointNumber = static_cast<quint8>(frame.at(3));
        reply.amplitudeRaw = unsignedWord(frame, 5);
        reply.outputRaw = unsignedWord(frame, 7);
    }
    return reply;
}

qint32 ReplyParser::unsignedWord(const QByteArray &frame, int offset)
{
    return static_cast<quint8>(frame.at(offset)) + 256 * static_cast<quint8>(frame.at(offset + 1));
}
