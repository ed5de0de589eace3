#include "device/CommandFrames.h"

#include "device/Frame.h"

#include <cmath>
#include <limits>

QByteArray CommandFrames::link()
{
    return Frame::build('L', {});
}

QByteArray CommandFrames::unlink()
{
    return Frame::build('S', {});
}

QByteArray CommandFrames::readTypes()
{
    return Frame::build('R', {});
}

QByteArray CommandFrames::configure(int sensorType, int inputType)
{
    QByteArray payload;
    payload.append(static_cast<char>(sensorType));
    payload.append(static_cast<char>(inputType));
    return Frame::build('C', payload);
}

QByteArray CommandFrames::vibrate(int row, int amplitudeCode, int frequencyCode)
{
    QByteArray payload;
    payload.append(static_cast<char>(pointNumber(row)));
    appendWord(payload, amplitudeCode);
    appendWord(payload, frequencyCode);
    return Frame::build('V', payload);
}

quint8 CommandFrames::pointNumber(int row)
{
    return static_cast<quint8>(row + 1);
}

std::optional<int> CommandFrames::amplitudeCode(float amplitude, int sensorType)
{
    float factor = 0;
    switch (sensorType) {
    case 0:
        factor = 40.0f;
        break;
    case 1:
    case 2:
        factor = 4.0f;
        break;
    default:
        return std::nullopt;
    }
    const float product = amplitude * factor;
    return truncated(product);
}

int CommandFrames::frequencyCode(double frequency)
{
    return truncated(frequency);
}

// Truncates toward zero, saturating at the int range; not-a-number gives 0.
int CommandFrames::truncated(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (value <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

void CommandFrames::appendWord(QByteArray &payload, int value)
{
    payload.append(static_cast<char>(value & 0xFF));
    payload.append(static_cast<char>((value >> 8) & 0xFF));
}
