#include "chart/SensitivityChartBuilder.h"

#include "app/GlobalState.h"
#include "chart/SensitivityChartData.h"

#include <QCoreApplication>
#include <QFont>
#include <QMargins>
#include <QPen>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLegend>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

using QtCharts::QChart;
using QtCharts::QLineSeries;
using QtCharts::QValueAxis;

namespace {
constexpr int curveWidth = 2;
constexpr int pointLabelPointSize = 6;
constexpr int axisTickCount = 6;
// Narrow margins and the legend beside the plot leave the plot area tall
// enough for the vertical axis title on a short chart panel.
const QMargins chartMargins(8, 4, 8, 4);

QString translated(const char *sourceText)
{
    return QCoreApplication::translate("MainWindow", sourceText);
}
} // namespace

SensitivityChartBuilder::SensitivityChartBuilder(const QTableWidget *table, int sensorType,
                                                 QtCharts::QChartView *view)
    : m_table(table), m_sensorType(sensorType), m_view(view)
{}

SensitivityChartBuilder::Parts SensitivityChartBuilder::build()
{
    SensitivityChartData::readTable(m_table, chartFrequencies, chartSensitivities);
    SensitivityChartData::sortByFrequency(chartFrequencies, chartSensitivities);
    SensitivityChartData::applyRangeRule(chartFrequencies, xAxisHomeMin, xAxisHomeMax);
    SensitivityChartData::applyRangeRule(chartSensitivities, yAxisHomeMin, yAxisHomeMax);
    auto *chart = new QChart();
    replaceChart(chart);
    return assemble(chart, chartFrequencies, chartSensitivities,
                    {xAxisHomeMin, xAxisHomeMax, yAxisHomeMin, yAxisHomeMax});
}

// The plotted values and ranges are worked out as a rebuild would, from the
// home ranges as they stand, and kept in the chart alone.
QChart *SensitivityChartBuilder::buildApart() const
{
    QList<float> frequencies;
    QList<float> sensitivities;
    SensitivityChartData::readTable(m_table, frequencies, sensitivities);
    SensitivityChartData::sortByFrequency(frequencies, sensitivities);
    Ranges ranges{xAxisHomeMin, xAxisHomeMax, yAxisHomeMin, yAxisHomeMax};
    SensitivityChartData::applyRangeRule(frequencies, ranges.xMin, ranges.xMax);
    SensitivityChartData::applyRangeRule(sensitivities, ranges.yMin, ranges.yMax);
    return assemble(new QChart(), frequencies, sensitivities, ranges).chart;
}

// Puts the curve and the axes into a new chart.
SensitivityChartBuilder::Parts SensitivityChartBuilder::assemble(QChart *chart,
                                                                 const QList<float> &frequencies,
                                                                 const QList<float> &sensitivities,
                                                                 const Ranges &ranges) const
{
    Parts parts;
    parts.chart = chart;
    parts.chart->setMargins(chartMargins);
    parts.chart->legend()->setAlignment(Qt::AlignRight);
    parts.series = createSeries();
    parts.chart->addSeries(parts.series);
    parts.axisX =
        createAxis(ranges.xMin, ranges.xMax, QStringLiteral("%.2f"), translated("频率/Hz"));
    QValueAxis *axisY =
        createAxis(ranges.yMin, ranges.yMax, QStringLiteral("%.3f"), sensitivityAxisTitle());
    parts.chart->addAxis(parts.axisX, Qt::AlignBottom);
    parts.chart->addAxis(axisY, Qt::AlignLeft);
    parts.series->attachAxis(parts.axisX);
    parts.series->attachAxis(axisY);
    appendPoints(parts.series, frequencies, sensitivities);
    return parts;
}

// The view does not delete the chart it gives up, so the old one goes here.
void SensitivityChartBuilder::replaceChart(QChart *chart)
{
    QChart *oldChart = m_view->chart();
    m_view->setChart(chart);
    m_view->setRenderHint(QPainter::Antialiasing);
    delete oldChart;
}

QLineSeries *SensitivityChartBuilder::createSeries() const
{
    auto *series = new QLineSeries();
    series->setName(translated("频率-灵敏度曲线"));
    series->setPointsVisible(true);
    QPen pen(QColor(30, 144, 255, 255));
    pen.setStyle(Qt::SolidLine);
    pen.setWidth(curveWidth);
    series->setPen(pen);

    series->setPointLabelsVisible(false);
    series->setPointLabelsFormat(QStringLiteral("(@xPoint, @yPoint)"));
    QFont labelFont;
    labelFont.setPointSize(pointLabelPointSize);
    labelFont.setWeight(QFont::Normal);
    labelFont.setItalic(false);
    series->setPointLabelsFont(labelFont);
    series->setPointLabelsColor(Qt::darkBlue);
    return series;
}

QValueAxis *SensitivityChartBuilder::createAxis(float min, float max, const QString &labelFormat,
                                                const QString &title) const
{
    auto *axis = new QValueAxis();
    axis->setRange(min, max);
    axis->setLabelFormat(labelFormat);
    axis->setTickCount(axisTickCount);
    axis->setMinorGridLineVisible(true);
    axis->setTitleText(title);
    return axis;
}

// An index outside the table (no sensor type selected) leaves the axis untitled.
QString SensitivityChartBuilder::sensitivityAxisTitle() const
{
    if (m_sensorType < 0 || m_sensorType >= sensitivityAxisTitles.size())
        return QString();
    return translated(sensitivityAxisTitles.at(m_sensorType));
}

// All points go in with one replace: appending them one by one redraws the
// curve per point, which takes seconds for thousands of rows.
void SensitivityChartBuilder::appendPoints(QLineSeries *series, const QList<float> &frequencies,
                                           const QList<float> &sensitivities)
{
    QList<QPointF> points;
    points.reserve(frequencies.size());
    for (int i = 0; i < frequencies.size(); ++i)
        points.append(QPointF(frequencies.at(i), sensitivities.at(i)));
    series->replace(points);
}
