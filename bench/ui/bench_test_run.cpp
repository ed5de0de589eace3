#include "SimProcess.h"
#include "WorkbenchDriver.h"
#include "app/GlobalState.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

// Host time per test point of a run against the simulated calibrator with no
// reply delay. The pseudo-terminal has no baud-rate delay, so the figure is
// the program's own cost per point: frame building, the worker's and the
// sequence's 100 ms polls, the result computation and the table update.
namespace {
double millisecondsPerPoint(const QString &link, int rows)
{
    MainWindow window;
    window.show();
    WorkbenchDriver driver(window);
    if (!driver.connectTo(link))
        return -1;
    for (int row = 0; row < rows; ++row)
        driver.addPoint(QString::number(1 + row % 40), QString::number(20 + row % 900));
    QElapsedTimer clock;
    clock.start();
    driver.click("startBtn");
    const double perPoint = clock.nsecsElapsed() / 1e6 / rows;
    driver.click("disconnectBtn");
    if (!QTest::qWaitFor([] { return serialPort == nullptr; }, 5000))
        return -1;
    return perPoint;
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool isShort = app.arguments().contains("--short");
    QTemporaryDir folder;
    const QString link = folder.filePath("ttyRT58");
    qputenv("RT58_EXTRA_PORTS", link.toLocal8Bit());
    SimProcess sim;
    if (!sim.start(link))
        return 1;
    const double wireMs = 2 * 10.0 * 10 / 9600 * 1000;
    std::printf("test run, time per point (two 10-byte frames take %.1f ms on a 9600-baud line;\n"
                "the pseudo-terminal adds none)\n",
                wireMs);
    for (int rows : {10, isShort ? 40 : 500}) {
        const double perPoint = millisecondsPerPoint(link, rows);
        std::printf("  %4d rows: %6.1f ms per point\n", rows, perPoint);
    }
    return 0;
}
