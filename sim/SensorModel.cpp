#include "sim/SensorModel.h"

#include <QtGlobal>

#include <cmath>

namespace {
constexpr double damping = 0.05;
constexpr double outputCountStep = 0.025;
constexpr double twoPi = 6.283185307179586;
} // namespace

SensorModel::SensorModel(double sensitivity, double resonanceHz, double noisePercent, quint32 seed)
    : m_sensitivity(sensitivity), m_resonanceHz(resonanceHz), m_noisePercent(noisePercent),
      m_random(seed)
{}

double SensorModel::sensitivityAt(double frequencyHz) const
{
    if (m_resonanceHz <= 0)
        return m_sensitivity;
    const double ratio = frequencyHz / m_resonanceHz;
    const double stiffness = 1.0 - ratio * ratio;
    const double friction = 2.0 * damping * ratio;
    return m_sensitivity / std::sqrt(stiffness * stiffness + friction * friction);
}

int SensorModel::outputCount(double amplitude, double frequencyHz)
{
    const double count = sensitivityAt(frequencyHz) * amplitude / outputCountStep * noiseFactor();
    return static_cast<int>(qBound(0.0, std::round(count), 65535.0));
}

// Normally distributed factor around 1 (Box-Muller).
double SensorModel::noiseFactor()
{
    if (m_noisePercent <= 0)
        return 1.0;
    const double u1 = 1.0 - m_random.generateDouble();
    const double u2 = m_random.generateDouble();
    const double normal = std::sqrt(-2.0 * std::log(u1)) * std::cos(twoPi * u2);
    return 1.0 + normal * m_noisePercent / 100.0;
}
