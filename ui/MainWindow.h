#pragma once

#include "app/InterfaceType.h"
#include "records/PointRecord.h"
#include "records/RunJournal.h"

#include <QMainWindow>
#include <QMargins>
#include <QPoint>
#include <QRect>
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
class LabRecords;
class QMouseEvent;

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

public slots:
    // A termination signal (SIGTERM, SIGINT, SIGHUP) closes the window as an
    // accepted close would, without asking, and ends the program.
    void terminationSignalHandle(int signalNumber);

protected:
    void closeEvent(QCloseEvent *event) override;
    // A maximised window restored after the chart panel changed comes back
    // to the height that the change gave it.
    void changeEvent(QEvent *event) override;

private slots:
    void on_connectBtn_clicked();
    void on_disconnectBtn_clicked();
    void on_addBtn_clicked();
    void on_modifyBtn_clicked();
    void on_deleteBtn_clicked();
    void on_startBtn_clicked();
    void on_exitBtn_clicked();
    void on_exportBtn_clicked();
    void updateSignalHandle(InterfaceType_e interfaceType);
    void onMouseMovePoint(QPoint point);
    void changeInterfaceHandle(InterfaceType_e interfaceType);
    void deviceTypesHandle(int sensorType, int inputType);
    void displayContextMenu(QMouseEvent *event);
    void on_tableWidget_cellDoubleClicked(int row, int column);
    void threadStartHandle();
    void threadStopHandle();
    void resultsReopenedHandle();

private:
    void initInterface();
    void applyInitWidgetStates();
    void resetProgressBar();
    void setChartPanel(int mode);
    void collapseChartPanel(bool keepGeometryWhenMaximised);
    void expandChartPanel();
    void settleLayout();
    bool isExactlyMaximised() const;
    int normalHeight() const;
    QRect availableScreenArea() const;
    QMargins frameMargins() const;
    QMargins normalFrameMargins() const;
    int availableClientHeight() const;
    void setCentredGeometry(int newHeight, const QMargins &frame);
    void applyLinkWidgetStates(bool linkUp);
    void applyRunningWidgetStates();
    void applyFinishedWidgetStates();
    void setSchemeEditing(bool enabled);
    void adoptDeviceTypes();
    void applySensorType(bool emptyTable);
    void addRow();
    void modifyRow();
    void deleteRow();
    bool inputsAccepted(const QString &amplitude, const QString &frequency);
    void showInfo(const char *sourceText);
    void writePointResult();
    void writeFailedPoint(int row);
    void markPointFailed();
    void journalRow(int row, PointRecord::State_e state, bool withCounts);
    void finishTest();
    void buildSensitivityChart();
    void startWorker();
    void stopWorker();

    HandleThread *m_thread = nullptr;
    Ui::MainWindow *ui = nullptr;
    QtCharts::QChart *m_chart = nullptr;
    QtCharts::QLineSeries *m_series = nullptr;
    QtCharts::QValueAxis *m_axisX = nullptr;
    QStringList themeFiles;
    QStringList langFiles;
    RunJournal m_journal;
    LabRecords *m_records = nullptr;
    bool m_terminating = false;
    // The device's types arrived while a run was active; they are adopted
    // when it has ended.
    bool m_typesAfterRun = false;
    // What the last expansion of the chart panel added to the window's height.
    int m_chartPanelGrowth;
    // The height a maximised window comes back to when restored, when the
    // chart panel changed while it was maximised; 0 when nothing changed.
    int m_restoredHeight = 0;
    // The window manager's frame around the window before it was maximised.
    QMargins m_normalFrameMargins;
};
