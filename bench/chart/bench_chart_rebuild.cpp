// Rebuild time of the frequency-sensitivity chart by table size, and resident
// memory after many rebuilds compared with after one.

#include "chart/SensitivityChartBuilder.h"
#include "chart/SensitivityChartView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTextStream>

#include <cstdio>

namespace {

// Rows in random frequency order, as an operator may enter them.
void fillTable(QTableWidget &table, int rows)
{
    QRandomGenerator random(58);
    table.setRowCount(rows);
    for (int row = 0; row < rows; ++row) {
        const double frequency = 10 + random.bounded(9990.0);
        const double sensitivity = 0.5 + random.bounded(2.0);
        table.setItem(row, 2, new QTableWidgetItem(QString::number(frequency, 'f', 2)));
        table.setItem(row, 4,
                      new QTableWidgetItem(QString::number(sensitivity, 'f', 3) + " Pc/ms^-2"));
    }
}

// Builds once and lets the view lay out and paint the new chart.
qint64 rebuildMicroseconds(QTableWidget &table, SensitivityChartView &view, qint64 *paintUs)
{
    QElapsedTimer timer;
    timer.start();
    SensitivityChartBuilder(&table, 0, &view).build();
    const qint64 buildUs = timer.nsecsElapsed() / 1000;
    QCoreApplication::processEvents();
    view.grab();
    *paintUs = timer.nsecsElapsed() / 1000 - buildUs;
    return buildUs;
}

long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QRegularExpression vmRss(QStringLiteral("^VmRSS:\\s+(\\d+)"),
                                   QRegularExpression::MultilineOption);
    return vmRss.match(QString::fromLatin1(status.readAll())).captured(1).toLong();
}

void benchmarkRebuildTime(SensitivityChartView &view, bool shortRun)
{
    std::printf("%-8s %-6s %14s %14s\n", "rows", "runs", "rebuild [ms]", "paint [ms]");
    for (int rows : {10, 1000, 10000}) {
        QTableWidget table(0, 7);
        fillTable(table, rows);
        const int runs = shortRun || rows == 10000 ? 3 : 20;
        qint64 buildUs = 0;
        qint64 paintUs = 0;
        for (int run = 0; run < runs; ++run) {
            qint64 runPaintUs = 0;
            buildUs += rebuildMicroseconds(table, view, &runPaintUs);
            paintUs += runPaintUs;
        }
        std::printf("%-8d %-6d %14.3f %14.3f\n", rows, runs, buildUs / 1000.0 / runs,
                    paintUs / 1000.0 / runs);
    }
}

void benchmarkMemory(SensitivityChartView &view, bool shortRun)
{
    const int rebuilds = shortRun ? 50 : 200;
    QTableWidget table(0, 7);
    fillTable(table, 100);
    qint64 paintUs = 0;
    rebuildMicroseconds(table, view, &paintUs);
    const long afterOne = residentKiB();
    for (int run = 1; run < rebuilds; ++run)
        rebuildMicroseconds(table, view, &paintUs);
    const long afterMany = residentKiB();
    std::printf("resident memory, 100 rows: after 1 rebuild %ld KiB, after %d rebuilds %ld KiB "
                "(%+ld KiB)\n",
                afterOne, rebuilds, afterMany, afterMany - afterOne);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool shortRun = app.arguments().contains(QStringLiteral("--short"));

    SensitivityChartView view;
    view.resize(900, 400);
    view.show();
    QCoreApplication::processEvents();

    benchmarkRebuildTime(view, shortRun);
    benchmarkMemory(view, shortRun);
    return 0;
}
