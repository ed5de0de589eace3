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

    Parts parts;
    parts.chart = replaceChart();
    parts.series = createSeries();
    parts.chart->addSeries(parts.series);

    SensitivityChartData::applyRangeRule(chartFrequencies, xAxisHomeMin, xAxisHomeMax);
    parts.axisX =
        createAxis(xAxisHomeMin, xAxisHomeMax, QStringLiteral("%.2f"), translated("频率/Hz"));
    SensitivityChartData::applyRangeRule(chartSensitivities, yAxisHomeMin, yAxisHomeMax);
    QValueAxis *axisY =
        createAxis(yAxisHomeMin, yAxisHomeMax, QStringLiteral("%.3f"), sensitivityAxisTitle());

    parts.chart->addAxis(parts.axisX, Qt::AlignBottom);
    parts.chart->addAxis(axisY, Qt::AlignLeft);
    parts.series->attachAxis(parts.axisX);
    parts.series->attachAxis(axisY);
    appendPoints(parts.series);
    return parts;
}

// The view does not delete the chart it gives up, so the old one goes here.
QChart *SensitivityChartBuilder::replaceChart()
{
    QChart *oldChart = m_view->chart();
    auto *chart = new QChart();
    chart->setMargins(chartMargins);
    chart->legend()->setAlignment(Qt::AlignRight);
    m_view->setChart(chart);
    m_view->setRenderHint(QPainter::Antialiasing);
    delete oldChart;
    return chart;
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
void SensitivityChartBuilder::appendPoints(QLineSeries *series) const
{
    QList<QPointF> points;
    points.reserve(chartFrequencies.size());
    for (int i = 0; i < chartFrequencies.size(); ++i)
        points.append(QPointF(chartFrequencies.at(i), chartSensitivities.at(i)));
    series->replace(points);
}
