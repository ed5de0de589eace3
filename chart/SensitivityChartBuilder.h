#pragma once

#include <QList>
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
// The same chart can also be built apart from the view, for a picture.
class SensitivityChartBuilder
{
public:
    struct Parts
    {
        QtCharts::QChart *chart = nullptr;
        QtCharts::QLineSeries *series = nullptr;
        QtCharts::QValueAxis *axisX = nullptr;
    };

    SensitivityChartBuilder(const QTableWidget *table, int sensorType,
                            QtCharts::QChartView *view = nullptr);

    // Into the view; the plotted values and the home ranges are kept in the
    // global record.
    Parts build();
    // A chart of its own, owned by the caller; the view, the plotted values
    // and the home ranges stay as they are.
    QtCharts::QChart *buildApart() const;

private:
    struct Ranges
    {
        float xMin;
        float xMax;
        float yMin;
        float yMax;
    };

    Parts assemble(QtCharts::QChart *chart, const QList<float> &frequencies,
                   const QList<float> &sensitivities, const Ranges &ranges) const;
    void replaceChart(QtCharts::QChart *chart);
    QtCharts::QLineSeries *createSeries() const;
    QtCharts::QValueAxis *createAxis(float min, float max, const QString &labelFormat,
                                     const QString &title) const;
    QString sensitivityAxisTitle() const;
    static void appendPoints(QtCharts::QLineSeries *series, const QList<float> &frequencies,
                             const QList<float> &sensitivities);

    const QTableWidget *m_table;
    int m_sensorType;
    QtCharts::QChartView *m_view;
};
