#pragma once

#include <QtCharts/QChartView>

// Chart view of the frequency-sensitivity curve.
class SensitivityChartView : public QtCharts::QChartView
{
    Q_OBJECT

public:
    explicit SensitivityChartView(QWidget *parent = nullptr);
};
