#include "chart/SensitivityChartView.h"

SensitivityChartView::SensitivityChartView(QWidget *parent) : QtCharts::QChartView(parent)
{
    setAttribute(Qt::WA_MouseTracking);
}
