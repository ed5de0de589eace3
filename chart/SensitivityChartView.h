#pragma once

#include <QtCharts/QChartView>

namespace QtCharts {
class QValueAxis;
}

// Chart view of the frequency-sensitivity curve: wheel zoom, single-axis
// zoom about a pressed point, restore to the home ranges of the last rebuild,
// and signals for the window's context menu and coordinate read-out.
class SensitivityChartView : public QtCharts::QChartView
{
    Q_OBJECT

public:
    // The least height at which every tick label and both axis titles of the
    // rebuilt chart are drawn whole; the view never gets less.
    static constexpr int readableHeight = 200;

    explicit SensitivityChartView(QWidget *parent = nullptr);

    void restoreAxisRanges();
    void zoomAlongAxis(const QMouseEvent *event);

signals:
    void mouseMovePoint(QPoint point);
    void displayContextMenu(QMouseEvent *event);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    QtCharts::QValueAxis *valueAxis(Qt::Orientation orientation) const;
};
