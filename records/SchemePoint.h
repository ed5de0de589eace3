#pragma once

#include <QString>
#include <QVector>

// One point of a test scheme as the table shows it: amplitude and frequency
// with two decimals.
struct SchemePoint
{
    QString amplitude;
    QString frequency;
};

using Scheme = QVector<SchemePoint>;
