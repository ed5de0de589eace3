#include "Percentile.h"
#include "SimProcess.h"
#include "WorkbenchDriver.h"
#include "app/GlobalState.h"
#include "device/Config.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>

// Time from the Stop click to the end of the test sequence, while the
// sequence waits for a point that the simulated calibrator never answers.
// The sequence looks for a stop every 100 ms, so that is the most it should take.
namespace {
// One run stopped after the given time; returns the milliseconds from the
// Stop click to the end of the sequence (its TestFinished).
double stopLatency(WorkbenchDriver &driver, int stopAfterMs)
{
    QElapsedTimer sinceStop;
    double latency = -1;
    const QMetaObject::Connection finished =
        QObject::connect(config, &Config::updateSignal, [&](InterfaceType_e event) {
            if (event == TestFinished && sinceStop.isValid())
                latency = sinceStop.nsecsElapsed() / 1e6;
        });
    auto *start = driver.widget<QPushButton>("startBtn");
    QTimer::singleShot(stopAfterMs, start, [&] {
        sinceStop.start();
        QTest::mouseClick(start, Qt::LeftButton);
    });
    driver.click("startBtn");
    QObject::disconnect(finished);
    return latency;
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int stops = app.arguments().contains("--short") ? 10 : 50;
    QTemporaryDir folder;
    const QString link = folder.filePath("ttyRT58");
    qputenv("RT58_EXTRA_PORTS", link.toLocal8Bit());
    SimProcess sim;
    if (!sim.start(link, {"--unanswered", "1"}))
        return 1;
    MainWindow window;
    window.show();
    WorkbenchDriver driver(window);
    if (!driver.connectTo(link))
        return 1;
    driver.addPoint("10", "160");
    QList<double> latencies;
    for (int stop = 0; stop < stops; ++stop)
        latencies << stopLatency(driver, 150 + 37 * stop % 200);
    std::printf("stop during a point, %d stops: Stop click to end of sequence median %.1f ms, "
                "slowest %.1f ms (the sequence looks every 100 ms)\n",
                stops, median(latencies), percentile(latencies, 1));
    return percentile(latencies, 0) < 0 ? 1 : 0;
}
