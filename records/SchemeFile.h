#pragma once

#include "records/SchemePoint.h"

#include <QString>

// A scheme as a CSV file: UTF-8 with a byte order mark, the header line
// "幅值,频率", then one line "amplitude,frequency" per point. Reading takes
// the file whole or not at all; the header line and blank lines are optional.
class SchemeFile
{
public:
    SchemeFile() = delete;

    static bool read(const QString &path, int sensorType, Scheme *scheme, QString *error);
    static bool write(const QString &path, const Scheme &scheme, QString *error);
};
