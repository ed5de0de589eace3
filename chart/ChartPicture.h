#pragma once

#include <QPixmap>
#include <QSize>

class QTableWidget;

// The picture of the chart that goes into a report: the frequency-sensitivity
// chart of the given table, built as the window's chart would be and drawn
// whole at the report's picture size. The window's chart, its view and its
// home ranges are not touched, so the picture always belongs to the table,
// whether the window has shown a chart yet or the table has changed since.
class ChartPicture
{
public:
    ChartPicture() = delete;

    static QPixmap ofTable(const QTableWidget *table, int sensorType, const QSize &size);
};
