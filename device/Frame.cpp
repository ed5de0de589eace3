#include "device/Frame.h"

quint8 Frame::checksum(const char *data, int count)
{
    quint8 sum = 0;
    for (int i = 0; i < count; ++i)
        sum += static_cast<quint8>(data[i]);
    return sum;
}

QByteArray Frame::build(char letter, const QByteArray &payload)
{
    QByteArray frame;
    frame.reserve(payload.size() + minimumLength);
    frame.append(startByte);
    frame.append(letter);
    frame.append(static_cast<char>(payload.size() + minimumLength));
    frame.append(payload);
    frame.append(static_cast<char>(checksum(frame.constData(), frame.size())));
    frame.append(terminator);
    return frame;
}

bool Frame::isWellFormed(const char *data, int length)
{
    return length >= minimumLength && data[0] == startByte &&
           static_cast<quint8>(data[2]) == length && data[length - 1] == terminator &&
           static_cast<quint8>(data[length - 2]) == checksum(data, length - 2);
}
