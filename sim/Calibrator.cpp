#include "sim/Calibrator.h"

#include "device/Frame.h"

namespace {
// Host frames: L, S and R carry no payload, C carries two type bytes, V a point
// number and two 16-bit codes.
const QVector<FrameShape> commandShapes{
    {'L', 5, 5}, {'S', 5, 5}, {'R', 5, 5}, {'C', 7, 255}, {'V', 10, 255}};

int unsignedWord(const QByteArray &frame, int offset)
{
    return static_cast<quint8>(frame.at(offset)) + 256 * static_cast<quint8>(frame.at(offset + 1));
}

void appendWord(QByteArray &payload, int value)
{
    payload.append(static_cast<char>(value & 0xFF));
    payload.append(static_cast<char>((value >> 8) & 0xFF));
}
} // namespace

Calibrator::Calibrator(const SimOptions &options)
    : m_cutter(commandShapes),
      m_sensor(options.sensitivity, options.resonanceHz, options.outputNoisePercent, options.seed),
      m_sensorType(options.sensorType), m_inputType(options.inputType),
      m_fixedCounts(options.fixedCounts), m_unansweredPoints(options.unansweredPoints)
{}

QList<Calibrator::Exchange> Calibrator::receive(const QByteArray &bytes)
{
    m_pending.append(bytes);
    QList<Exchange> exchanges;
    const QList<QByteArray> commands = m_cutter.cut(m_pending);
    for (const QByteArray &command : commands)
        exchanges.append({command, answer(command)});
    return exchanges;
}

QByteArray Calibrator::answer(const QByteArray &command)
{
    switch (command.at(1)) {
    case 'L':
    case 'S':
        return command;
    case 'R':
        return typesReply('R');
    case 'C':
        m_sensorType = static_cast<qint8>(command.at(3));
        m_inputType = static_cast<qint8>(command.at(4));
        return typesReply('C');
    case 'V':
        return vibrateReply(command);
    default:
        return {};
    }
}

QByteArray Calibrator::typesReply(char letter) const
{
    QByteArray payload;
    payload.append(static_cast<char>(m_sensorType));
    payload.append(static_cast<char>(m_inputType));
    return Frame::build(letter, payload);
}

// The control-amplitude count is twice the amplitude code: the code is the
// amplitude × 40 (× 4) and the program reads the count × 0.0125 (× 0.125).
QByteArray Calibrator::vibrateReply(const QByteArray &command)
{
    const auto point = static_cast<quint8>(command.at(3));
    if (m_unansweredPoints.contains(point))
        return {};
    int amplitudeCount = qMin(2 * unsignedWord(command, 4), 65535);
    int outputCount = 0;
    if (m_fixedCounts) {
        amplitudeCount = m_fixedCounts->first;
        outputCount = m_fixedCounts->second;
    } else {
        outputCount =
            m_sensor.outputCount(controlAmplitude(amplitudeCount), unsignedWord(command, 6));
    }
    QByteArray payload;
    payload.append(static_cast<char>(point));
    payload.append('\0');
    appendWord(payload, amplitudeCount);
    appendWord(payload, outputCount);
    return Frame::build('V', payload);
}

double Calibrator::controlAmplitude(int amplitudeCount) const
{
    return amplitudeCount * (m_sensorType == 0 ? 0.0125 : 0.125);
}
