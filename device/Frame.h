#pragma once

#include <QByteArray>

// The serial frame shared by both directions: start byte, command letter,
// total length N, payload, 8-bit additive checksum, terminator.
class Frame
{
public:
    static constexpr char startByte = 0x21;
    static constexpr char terminator = 0x0D;
    static constexpr int minimumLength = 5;
    static constexpr int maximumLength = 255;

    // Low 8 bits of the sum of the first count bytes, taken as unsigned.
    static quint8 checksum(const char *data, int count);

    // A complete frame around the payload, with its length byte and checksum.
    static QByteArray build(char letter, const QByteArray &payload);

    // True when the length bytes at data form a frame whose start byte,
    // length byte, checksum and terminator are all right.
    static bool isWellFormed(const char *data, int length);
};
