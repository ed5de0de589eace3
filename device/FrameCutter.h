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
// valid stays in the buffer until more bytes arrive.
class FrameCutter
{
public:
    explicit FrameCutter(const QVector<FrameShape> &shapes);

    // Removes every frame it returns and every byte it drops from buffer.
    QList<QByteArray> cut(QByteArray &buffer) const;

private:
    enum Verdict_e
    {
        Wait,
        Take,
        Skip
    };

    Verdict_e judge(const char *data, int available) const;

    std::array<quint8, 256> m_minimumLength{};
    std::array<quint8, 256> m_maximumLength{};
};
