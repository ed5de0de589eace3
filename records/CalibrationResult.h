#pragma once

#include "records/PointRecord.h"
#include "records/Sensor.h"

#include <QString>
#include <QVector>

#include <cmath>

// The judgement of a run on a registered sensor. The reference sensitivity
// is the first measured point at the sensor's reference frequency; every
// point's deviation from it is in %. Pass needs the reference within the
// sensitivity tolerance of the nominal, every point within the frequency
// response tolerance of the reference, and no point failed or left out: a
// run with missing data is never a pass, though a deviation already out of
// tolerance fails it.
class CalibrationResult
{
public:
    enum Verdict_e
    {
        NoSensor,
        Pass,
        Fail,
        Incomplete,
        NoReference,
        TypeMismatch
    };

    static CalibrationResult evaluate(const Sensor &sensor, int sensorType, int inputType,
                                      const QVector<PointRecord> &points);

    // The sensitivity of a measured point, from its counts; NaN without.
    static double pointSensitivity(const PointRecord &point, int sensorType);

    Verdict_e verdict() const { return m_verdict; }
    bool hasReference() const { return !std::isnan(m_reference); }
    double reference() const { return m_reference; }
    double referenceFrequency() const { return m_referenceFrequency; }
    // The reference against the nominal sensitivity, in %.
    double referenceDeviation() const { return m_referenceDeviation; }
    // By row of the table; NaN for a row without a result.
    double deviation(int row) const { return m_deviations.value(row, NAN); }
    int rowCount() const { return m_deviations.size(); }

    // The verdict as stored in the records, and back.
    QString code() const;
    static Verdict_e fromCode(const QString &code);
    static QString verdictText(Verdict_e verdict);
    QString verdictText() const { return verdictText(m_verdict); }
    // "+1.23 %", or empty for a row without a deviation.
    QString deviationText(int row) const;
    static QString percentText(double value);

private:
    Verdict_e m_verdict = NoSensor;
    double m_reference = NAN;
    double m_referenceFrequency = NAN;
    double m_referenceDeviation = NAN;
    QVector<double> m_deviations;
};
