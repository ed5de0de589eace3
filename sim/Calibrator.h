#pragma once

#include "device/FrameCutter.h"
#include "sim/SensorModel.h"
#include "sim/SimOptions.h"

#include <QByteArray>
#include <QList>

// The protocol side of the simulated calibrator: cuts the host's frames out of
// the received bytes and builds the reply to each one.
class Calibrator
{
public:
    // One command and its reply; the reply is empty when the command goes
    // unanswered.
    struct Exchange
    {
        QByteArray command;
        QByteArray reply;
    };

    explicit Calibrator(const SimOptions &options);

    QList<Exchange> receive(const QByteArray &bytes);

private:
    QByteArray answer(const QByteArray &command);
    QByteArray typesReply(char letter) const;
    QByteArray vibrateReply(const QByteArray &command);
    double controlAmplitude(int amplitudeCount) const;

    FrameCutter m_cutter;
    QByteArray m_pending;
    SensorModel m_sensor;
    int m_sensorType;
    int m_inputType;
    std::optional<QPair<int, int>> m_fixedCounts;
    QSet<int> m_unansweredPoints;
};
