#pragma once

#include "app/InterfaceType.h"

#include <QMainWindow>
#include <QStringList>

namespace QtCharts {
class QChart;
class QLineSeries;
class QValueAxis;
} // namespace QtCharts

namespace Ui {
class MainWindow;
}

class HandleThread;

// The program's only window: the device box, the type selectors, the test
// scheme table, the chart and the run controls. Every operation ends in
// changeInterface.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    void changeInterface(InterfaceType_e interfaceType);

private slots:
    void on_connectBtn_clicked();
    void on_disconnectBtn_clicked();
    void updateSignalHandle(InterfaceType_e interfaceType);
    void changeInterfaceHandle(InterfaceType_e interfaceType);
    void threadStartHandle();
    void threadStopHandle();

private:
    void initInterface();
    void applyInitWidgetStates();
    void resetProgressBar();
    void setChartPanel(int mode);
    void collapseChartPanel(bool keepGeometryWhenMaximised);
    void expandChartPanel();
    void setCentredGeometry(int newHeight);
    void applyLinkWidgetStates(bool linkUp);
    void startWorker();
    void stopWorker();

    HandleThread *m_thread = nullptr;
    Ui::MainWindow *ui = nullptr;
    QtCharts::QChart *m_chart = nullptr;
    QtCharts::QLineSeries *m_series = nullptr;
    QtCharts::QValueAxis *m_axisX = nullptr;
    QStringList themeFiles;
    QStringList langFiles;
};
