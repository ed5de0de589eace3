#include "device/FrameCutter.h"

#include "device/Frame.h"

FrameCutter::FrameCutter(const QVector<FrameShape> &shapes)
{
    for (const FrameShape &shape : shapes) {
        const auto index = static_cast<quint8>(shape.letter);
        m_minimumLength[index] =
            static_cast<quint8>(qMax(shape.minimumLength, Frame::minimumLength));
        m_maximumLength[index] =
            static_cast<quint8>(qMin(shape.maximumLength, Frame::maximumLength));
    }
}

QList<QByteArray> FrameCutter::cut(QByteArray &buffer) const
{
    QList<QByteArray> frames;
    const char *data = buffer.constData();
    const int size = buffer.size();
    int position = 0;
    while (position < size) {
        const int start = buffer.indexOf(Frame::startByte, position);
        if (start < 0) {
            position = size;
            break;
        }
        position = start;
        const Verdict_e verdict = judge(data + position, size - position);
        if (verdict == Wait) {
            // Fewer than 255 bytes follow a waiting header, so this look-ahead
            // is bounded and the pass stays linear.
            const int later = nextCompleteFrame(buffer, position + 1);
            if (later < 0)
                break;
            position = later;
            continue;
        }
        if (verdict == Skip) {
            ++position;
            continue;
        }
        const int length = static_cast<quint8>(data[position + 2]);
        frames.append(buffer.mid(position, length));
        position += length;
    }
    buffer.remove(0, position);
    return frames;
}

QByteArray FrameCutter::dropFrontFrame(QByteArray &buffer)
{
    int next = buffer.indexOf(Frame::startByte, 1);
    if (next < 0)
        next = buffer.size();
    const QByteArray dropped = buffer.left(next);
    buffer.remove(0, next);
    return dropped;
}

// Position of the first start byte at or after from that opens a complete
// frame ready to be taken; -1 when there is none.
int FrameCutter::nextCompleteFrame(const QByteArray &buffer, int from) const
{
    for (int start = buffer.indexOf(Frame::startByte, from); start >= 0;
         start = buffer.indexOf(Frame::startByte, start + 1)) {
        if (judge(buffer.constData() + start, buffer.size() - start) == Take)
            return start;
    }
    return -1;
}

FrameCutter::Verdict_e FrameCutter::judge(const char *data, int available) const
{
    if (available < 2)
        return Wait;
    const auto letter = static_cast<quint8>(data[1]);
    if (m_minimumLength[letter] == 0)
        return Skip;
    if (available < 3)
        return Wait;
    const auto length = static_cast<quint8>(data[2]);
    if (length < m_minimumLength[letter] || length > m_maximumLength[letter])
        return Skip;
    if (available < length)
        return Wait;
    return Frame::isWellFormed(data, length) ? Take : Skip;
}
