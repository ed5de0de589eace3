#pragma once

#include "records/RunHistory.h"
#include "records/Sensor.h"

#include <QDialog>
#include <QSet>

class QTableWidget;

namespace QtCharts {
class QChartView;
}

// A sensor's calibrations: date, reference sensitivity, its change since the
// previous calibration and the verdict, with the reference plotted over time
// so that drift shows at a glance. Reopen (or a double-click) accepts the
// dialog with the selected run.
class HistoryDialog : public QDialog
{
    Q_OBJECT

public:
    HistoryDialog(const Sensor &sensor, const QVector<RunHistory::Entry> &entries,
                  const QString &unit, QWidget *parent = nullptr);

    qint64 selectedRun() const;

private:
    void fillTable(const QString &unit);
    void fitColumns(const QVector<QSet<QString>> &shapes);
    QtCharts::QChartView *driftChart(const QString &unit);

    QVector<RunHistory::Entry> m_entries;
    QTableWidget *m_table;
};
