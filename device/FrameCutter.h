#pragma once

#include <QByteArray>
#include <QList>
#include <QVector>

#include <array>

// Admissible lengths of the frames that carry one command letter.
struct FrameShape
{
    char letter;
    int minimumLength;
    int maximumLength;
};

// Cuts well-formed frames off the front of a byte stream. A frame is taken
// only when its letter is known and its length fits that letter's shape;
// anything else is dropped up to the next start byte in one step, so the work
// stays linear in the buffer size. An incomplete frame that may still become
// valid stays in the buffer until more bytes arrive, unless a complete valid
// frame already follows it: a damaged length byte or a start byte in line
// noise then gives way to that frame instead of holding it back.
class FrameCutter
{
public:
    explicit FrameCutter(const QVector<FrameShape> &shapes);

    // Removes every frame it returns and every byte it drops from buffer.
    QList<QByteArray> cut(QByteArray &buffer) const;

    // Drops the incomplete frame at the front: its start byte and everything
    // up to the next start byte. Returns the dropped bytes.
    static QByteArray dropFrontFrame(QByteArray &buffer);

private:
    enum Verdict_e
    {
        Wait,
        Take,
        Skip
    };

    Verdict_e judge(const char *data, int available) const;
    int nextCompleteFrame(const QByteArray &buffer, int from) const;

    std::array<quint8, 256> m_minimumLength{};
    std::array<quint8, 256> m_maximumLength{};
};
