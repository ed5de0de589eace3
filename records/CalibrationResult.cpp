#include "records/CalibrationResult.h"

#include "ui/ResultCalculator.h"

#include <QCoreApplication>

namespace {
// Frequencies in the table have two decimals.
constexpr double frequencyResolution = 0.005;
// Deviations are compared as shown, to a hundredth of a per cent.
constexpr double tolerancePrecision = 1e-9;

const char *const verdictCodes[] = {"",           "pass",         "fail",
                                    "incomplete", "no-reference", "type-mismatch"};

const char *const verdictTexts[] = {
    "",
    QT_TRANSLATE_NOOP("CalibrationResult", "合格"),
    QT_TRANSLATE_NOOP("CalibrationResult", "不合格"),
    QT_TRANSLATE_NOOP("CalibrationResult", "无结论：有失败或未测的点"),
    QT_TRANSLATE_NOOP("CalibrationResult", "无结论：方案中没有参考频率的点"),
    QT_TRANSLATE_NOOP("CalibrationResult", "无结论：传感器类型或输入类型与登记不符"),
};

double frequencyOf(const PointRecord &point)
{
    return point.cells.value(2).toDouble();
}

bool within(double deviation, double tolerance)
{
    return std::fabs(deviation) <= tolerance + tolerancePrecision;
}
} // namespace

CalibrationResult CalibrationResult::evaluate(const Sensor &sensor, int sensorType, int inputType,
                                              const QVector<PointRecord> &points)
{
    CalibrationResult result;
    if (!sensor.isValid())
        return result;
    result.m_referenceFrequency = sensor.referenceFrequency;
    result.m_deviations.fill(NAN, points.size());
    if (sensorType != sensor.sensorType || inputType != sensor.inputType) {
        result.m_verdict = TypeMismatch;
        return result;
    }
    bool referenceInScheme = false;
    for (const PointRecord &point : points) {
        if (std::fabs(frequencyOf(point) - sensor.referenceFrequency) > frequencyResolution)
            continue;
        referenceInScheme = true;
        result.m_reference = pointSensitivity(point, sensorType);
        if (result.hasReference())
            break;
    }
    if (!referenceInScheme || !result.hasReference()) {
        result.m_verdict = referenceInScheme ? Incomplete : NoReference;
        return result;
    }
    result.m_referenceDeviation = (result.m_reference - sensor.nominal) / sensor.nominal * 100;
    bool outOfTolerance = !within(result.m_referenceDeviation, sensor.sensitivityTolerance);
    bool missing = false;
    for (int index = 0; index < points.size(); ++index) {
        const double sensitivity = pointSensitivity(points.at(index), sensorType);
        if (std::isnan(sensitivity)) {
            missing = true;
            continue;
        }
        const double deviation = (sensitivity - result.m_reference) / result.m_reference * 100;
        result.m_deviations[index] = deviation;
        outOfTolerance = outOfTolerance || !within(deviation, sensor.responseTolerance);
    }
    result.m_verdict = outOfTolerance ? Fail : missing ? Incomplete : Pass;
    return result;
}

double CalibrationResult::pointSensitivity(const PointRecord &point, int sensorType)
{
    float amplitude = 0;
    if (point.state != PointRecord::Measured || !point.hasCounts ||
        !ResultCalculator::controlAmplitude(sensorType, point.amplitudeCount, &amplitude) ||
        amplitude == 0)
        return NAN;
    return ResultCalculator::sensitivity(point.outputCount, amplitude);
}

QString CalibrationResult::code() const
{
    return QString::fromLatin1(verdictCodes[m_verdict]);
}

CalibrationResult::Verdict_e CalibrationResult::fromCode(const QString &code)
{
    for (int verdict = Pass; verdict <= TypeMismatch; ++verdict) {
        if (code == QLatin1String(verdictCodes[verdict]))
            return Verdict_e(verdict);
    }
    return NoSensor;
}

QString CalibrationResult::verdictText(Verdict_e verdict)
{
    return QCoreApplication::translate("CalibrationResult", verdictTexts[verdict]);
}

QString CalibrationResult::deviationText(int row) const
{
    return percentText(deviation(row));
}

QString CalibrationResult::percentText(double value)
{
    if (std::isnan(value))
        return QString();
    return QStringLiteral("%1%2 %")
        .arg(value >= 0 ? QStringLiteral("+") : QString())
        .arg(value, 0, 'f', 2);
}
