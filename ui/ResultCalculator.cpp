#include "ui/ResultCalculator.h"

#include "app/GlobalState.h"

bool ResultCalculator::controlAmplitude(int sensorType, int amplitudeCount, float *amplitude)
{
    if (!isSensorType(sensorType))
        return false;
    const double countScale = sensorType == 0 ? 0.0125 : 0.125;
    *amplitude = static_cast<float>(amplitudeCount * countScale);
    return true;
}

float ResultCalculator::sensitivity(int outputCount, float controlAmplitude)
{
    return static_cast<float>(outputCount * 0.025 / controlAmplitude);
}

QString ResultCalculator::amplitudeText(float amplitude, int sensorType)
{
    QString text = QString::number(amplitude, 'f', 2);
    if (isSensorType(sensorType))
        text += QLatin1Char(' ') + sensorTypeUnits.at(sensorType);
    return text;
}

QString ResultCalculator::sensitivityText(float sensitivity, int sensorType, int inputType)
{
    QString text = QString::number(sensitivity, 'f', 3);
    if (isSensorType(sensorType) && isInputType(inputType))
        text += QLatin1Char(' ') + sensitivityUnit(sensorType, inputType);
    return text;
}

QString ResultCalculator::sensitivityUnit(int sensorType, int inputType)
{
    if (!isSensorType(sensorType) || !isInputType(inputType))
        return QString();
    return inputTypeUnits.at(inputType) + QLatin1Char('/') + sensorTypeUnits.at(sensorType);
}

QPair<QString, QString> ResultCalculator::derivedTexts(int sensorType, float amplitude,
                                                       float frequency)
{
    const double a = amplitude;
    const double omega = 2 * static_cast<double>(pi) * frequency;
    switch (sensorType) {
    case 0:
        return {withUnit(a * 1e3 / omega, "mms^-1"), withUnit(a * 1e6 / (omega * omega), "um")};
    case 1:
        return {withUnit(a * omega / 1e3, "ms^-2"), withUnit(a * 1e3 / omega, "um")};
    case 2:
        return {withUnit(a * omega * omega / 1e6, "ms^-2"), withUnit(a * omega / 1e3, "mms^-1")};
    default:
        return {};
    }
}

QString ResultCalculator::withUnit(double value, const QString &unit)
{
    return QString::number(value, 'f', 2) + QLatin1Char(' ') + unit;
}

QList<int> ResultCalculator::derivedHeaderIndices(int sensorType)
{
    static const QList<int> indices[3] = {{6, 7}, {5, 7}, {5, 6}};
    return isSensorType(sensorType) ? indices[sensorType] : QList<int>();
}
