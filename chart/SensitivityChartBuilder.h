#pragma once

#include <QString>

class QTableWidget;

namespace QtCharts {
class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;
} // namespace QtCharts

// Rebuilds the frequency-sensitivity chart from the results table: reads and
// orders the plotted values, computes the home ranges, and puts a new chart
// with one curve and two value axes into the view. The chart it replaces is
// deleted, so it must not be called from a handler of that chart's events.
class SensitivityChartBuilder
{
public:
    struct Parts
    {
        QtCharts::QChart *chart = nullptr;
        QtCharts::QLineSeries *series = nullptr;
        QtCharts::QValueAxis *axisX = nullptr;
    };

    SensitivityChartBuilder(const QTableWidget *table, int sensorType, QtCharts::QChartView *view);

    Parts build();

private:
    QtCharts::QChart *replaceChart();
    QtCharts::QLineSeries *createSeries() const;
    QtCharts::QValueAxis *createAxis(float min, float max, const QString &labelFormat,
                                     const QString &title) const;
    QString sensitivityAxisTitle() const;
    void appendPoints(QtCharts::QLineSeries *series) const;

    const QTableWidget *m_table;
    int m_sensorType;
    QtCharts::QChartView *m_view;
};
