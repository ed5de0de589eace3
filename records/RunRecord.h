#pragma once

#include "records/PointRecord.h"

#include <QDateTime>
#include <QString>
#include <QVector>

#include <cmath>

// A run as recorded: who ran what on which sensor, and its rows. The rows are
// the scheme at the start; each is filled as its point ends.
struct RunRecord
{
    QString uid;
    QString station;
    QString journal;
    QDateTime started;
    qint64 sensorId = 0;
    int sensorType = 0;
    int inputType = 0;
    QVector<PointRecord> points;
};

// How a run ended, with its reference sensitivity and verdict when a sensor
// was chosen (NaN and empty otherwise).
struct RunEnd
{
    QDateTime ended;
    QString outcome;
    double referenceFrequency = NAN;
    double referenceSensitivity = NAN;
    QString verdict;
};
