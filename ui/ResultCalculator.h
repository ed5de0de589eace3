#pragma once

#include <QList>
#include <QPair>
#include <QString>

// The arithmetic of one measured point: control amplitude and sensitivity
// from the device's counts, the two derived motion quantities, and the texts
// that go into the results table.
class ResultCalculator
{
public:
    // False for a sensor type outside the list; the amplitude is then unchanged.
    static bool controlAmplitude(int sensorType, int amplitudeCount, float *amplitude);
    static float sensitivity(int outputCount, float controlAmplitude);

    static QString amplitudeText(float amplitude, int sensorType);
    static QString sensitivityText(float sensitivity, int sensorType, int inputType);
    // "Pc/ms^-2": the input type's unit per the sensor type's; empty for a
    // type outside the lists.
    static QString sensitivityUnit(int sensorType, int inputType);
    // Columns 5 and 6 for the sensor type; both empty for an unknown type.
    static QPair<QString, QString> derivedTexts(int sensorType, float amplitude, float frequency);
    // Where the headers of columns 5 and 6 stand in the header tables
    // (tableHeaderSources, tableHeaderTexts): the two quantities the sensor
    // type does not measure. Empty for an unknown type.
    static QList<int> derivedHeaderIndices(int sensorType);

    static bool isSensorType(int sensorType) { return sensorType >= 0 && sensorType <= 2; }
    static bool isInputType(int inputType) { return inputType >= 0 && inputType <= 3; }

private:
    static QString withUnit(double value, const QString &unit);
};
