#pragma once

#include <QByteArray>

#include <optional>

// The frames the program sends to the calibrator, and the codes that carry
// amplitudes and frequencies on the wire.
class CommandFrames
{
public:
    static QByteArray link();
    static QByteArray unlink();
    static QByteArray readTypes();
    // Sensor and input type indices travel as single bytes (-1 as 0xFF).
    static QByteArray configure(int sensorType, int inputType);
    // The point number is row + 1, low 8 bits; both codes go out as 16-bit
    // little-endian words (low 16 bits).
    static QByteArray vibrate(int row, int amplitudeCode, int frequencyCode);
    // The point number of a table row: row + 1, low 8 bits.
    static quint8 pointNumber(int row);

    // Amplitude × 40 for Acceleration (0), × 4 for Velocity (1) and
    // Displacement (2), rounded to single precision, then truncated toward
    // zero. No code for any other sensor type.
    static std::optional<int> amplitudeCode(float amplitude, int sensorType);
    // Frequency in Hz truncated toward zero.
    static int frequencyCode(double frequency);
    // True for a code that a frame's 16-bit word carries unchanged.
    static bool fitsWord(int code) { return code >= 0 && code <= 0xFFFF; }

private:
    static int truncated(double value);
    static void appendWord(QByteArray &payload, int value);
};
