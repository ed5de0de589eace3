#pragma once

#include <QRandomGenerator>

// The sensor on the simulated calibrator: a sensitivity that is flat at low
// frequency and rises towards a lightly damped resonance, with optional
// random noise on its output.
class SensorModel
{
public:
    SensorModel(double sensitivity, double resonanceHz, double noisePercent, quint32 seed);

    double sensitivityAt(double frequencyHz) const;
    // Output count for a control amplitude (in the sensor's unit) at a
    // frequency: sensitivity × amplitude / 0.025, rounded, within 0..65535.
    int outputCount(double amplitude, double frequencyHz);

private:
    double noiseFactor();

    double m_sensitivity;
    double m_resonanceHz;
    double m_noisePercent;
    QRandomGenerator m_random;
};
