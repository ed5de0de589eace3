#pragma once

#include <QPixmap>
#include <QSize>

class QWidget;

namespace QtCharts {
class QChartView;
}

// The picture of the chart that goes into a report. A chart view that fits
// the report's picture area is grabbed from the window as it is shown; a
// larger one has its chart laid out again at the area's size for the
// picture, so that the whole chart is there with readable texts, and then
// restored.
class ChartPicture
{
public:
    ChartPicture() = delete;

    static QPixmap take(QWidget *window, QtCharts::QChartView *view, const QSize &area);

private:
    static QPixmap render(QtCharts::QChartView *view, const QSize &size);
};
