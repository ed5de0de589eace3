#pragma once

#include "records/SchemePoint.h"

#include <QString>
#include <QVector>

// Checks a whole scheme read from a file or the database by the rules of
// typed input: a scheme is taken whole or not at all, and a refusal names
// the line and the reason.
class SchemeCheck
{
public:
    // A line as read: its number, counted from 1, and its two fields.
    struct Line
    {
        int number;
        QString amplitude;
        QString frequency;
    };

    // Frequencies are limited by the sensor type index, as for typed input.
    // A value must be a plain number: what typing would clean away (a sign,
    // letters, a second point) is refused rather than dropped.
    static bool accept(const QVector<Line> &lines, int sensorType, Scheme *scheme, QString *error);

private:
    static QString lineError(const Line &line, int sensorType);
};
