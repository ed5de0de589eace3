#pragma once

#include <QStringList>

// One row of a recorded run: the seven cells as the table shows them and,
// for a measured point, the calibrator's raw counts.
struct PointRecord
{
    enum State_e
    {
        Pending,
        Measured,
        Failed
    };

    int row = 0;
    State_e state = Pending;
    QStringList cells;
    bool hasCounts = false;
    int amplitudeCount = 0;
    int outputCount = 0;
};
