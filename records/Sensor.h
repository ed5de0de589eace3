#pragma once

#include <QString>
#include <QtGlobal>

// A sensor of the register. The types are the indices of the window's type
// combos; the nominal sensitivity is in the unit the results table shows;
// tolerances are in %: the reference sensitivity against the nominal one, and
// every point against the reference.
struct Sensor
{
    qint64 id = 0;
    QString model;
    QString serial;
    int sensorType = 0;
    int inputType = 0;
    double nominal = 1;
    double sensitivityTolerance = 5;
    double responseTolerance = 5;
    double referenceFrequency = 160;
    QString notes;
    bool retired = false;
    qint64 defaultSchemeId = 0;

    bool isValid() const { return id > 0; }
};
