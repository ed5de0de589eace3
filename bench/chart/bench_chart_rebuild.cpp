// Rebuild time of the frequency-sensitivity chart by table size, the time of
// the report's picture of the same table (a chart of its own, drawn at
// 950 x 280), and resident memory after many rebuilds compared with after one.
#include "chart/ChartPicture.h"
#include "chart/SensitivityChartBuilder.h"
#include "chart/SensitivityChartView.h"

#include <QtWidgets>

#include <cstdio>
#include <unistd.h>

namespace {
struct Timings
{
    double rebuild;
    double paint;
    double picture;
};

// Mean milliseconds of a rebuild from a table of the given rows, in random
// frequency order as an operator may enter them, of the layout and painting
// after it, and of the report's picture of the table.
Timings rebuildMs(int rows, SensitivityChartView &view, int runs)
{
    QTableWidget table(rows, 7);
    QRandomGenerator random(58);
    for (int row = 0; row < rows; ++row) {
        const double frequency = 10 + random.bounded(9990.0);
        const QString sensitivity = QString::number(0.5 + random.bounded(2.0), 'f', 3);
        table.setItem(row, 2, new QTableWidgetItem(QString::number(frequency, 'f', 2)));
        table.setItem(row, 4, new QTableWidgetItem(sensitivity + " Pc/ms^-2"));
    }
    qint64 buildNs = 0;
    qint64 totalNs = 0;
    qint64 pictureNs = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        SensitivityChartBuilder(&table, 0, &view).build();
        buildNs += timer.nsecsElapsed();
        QCoreApplication::processEvents();
        view.grab();
        totalNs += timer.nsecsElapsed();
        timer.restart();
        ChartPicture::ofTable(&table, 0, QSize(950, 280));
        pictureNs += timer.nsecsElapsed();
    }
    return {buildNs / 1e6 / runs, (totalNs - buildNs) / 1e6 / runs, pictureNs / 1e6 / runs};
}

long residentKiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    statm.open(QIODevice::ReadOnly);
    return statm.readAll().split(' ').value(1).toLong() * (sysconf(_SC_PAGESIZE) / 1024);
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
    std::printf("%-8s %-6s %14s %14s %22s\n", "rows", "runs", "rebuild [ms]", "paint [ms]",
                "report picture [ms]");
    for (int rows : {10, 1000, 10000}) {
        const int runs = shortRun || rows == 10000 ? 3 : 20;
        const Timings ms = rebuildMs(rows, view, runs);
        std::printf("%-8d %-6d %14.3f %14.3f %22.3f\n", rows, runs, ms.rebuild, ms.paint,
                    ms.picture);
    }
    const int rebuilds = shortRun ? 50 : 200;
    rebuildMs(100, view, 1);
    const long afterOne = residentKiB();
    rebuildMs(100, view, rebuilds - 1);
    const long afterMany = residentKiB();
    std::printf("resident memory, 100 rows: after 1 rebuild %ld KiB, after %d rebuilds %ld KiB "
                "(%+ld KiB)\n",
                afterOne, rebuilds, afterMany, afterMany - afterOne);
}
