// Time from a click on Connect until the status label reads "已连接", against
// the simulated calibrator with no reply delay; then Disconnect, and again.
// Each click comes after a random pause, as an operator's would, so that the
// clicks do not fall into step with the reply parser's 100 ms poll.
#include "Percentile.h"
#include "SimProcess.h"
#include "ui/MainWindow.h"

#include <QtWidgets>

#include <cstdio>
#include <cstdlib>
#include <numeric>

namespace {
// Clicks the button and runs the event loop until the status reads text;
// returns the milliseconds that took. Ends the program after 5 s without.
double clickAndWait(MainWindow &window, const char *button, const QString &text)
{
    const auto *status = window.findChild<QLabel *>(QStringLiteral("connectStatusLabel"));
    QElapsedTimer clock;
    clock.start();
    window.findChild<QPushButton *>(QString::fromLatin1(button))->click();
    while (status->text() != text) {
        if (clock.elapsed() > 5000) {
            std::fprintf(stderr, "the status never read \"%s\"\n", qPrintable(text));
            std::exit(1);
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        QThread::usleep(200);
    }
    return clock.nsecsElapsed() / 1e6;
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    const int rounds = app.arguments().contains(QStringLiteral("--short")) ? 3 : 20;
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("ttyRT58"));
    qputenv("RT58_EXTRA_PORTS", link.toLocal8Bit());
    SimProcess sim;
    sim.start(link);
    MainWindow window;
    QRandomGenerator random(3);
    QList<double> latencies;
    for (int round = 0; round < rounds; ++round) {
        window.findChild<QComboBox *>(QStringLiteral("serialPortComboBox"))->setCurrentText(link);
        QThread::msleep(random.bounded(200));
        latencies << clickAndWait(window, "connectBtn", QStringLiteral("已连接"));
        clickAndWait(window, "disconnectBtn", QStringLiteral("已断开"));
    }
    std::printf(
        "connect to \"已连接\" over %d connects: min %.1f ms, median %.1f ms, mean %.1f ms, "
        "max %.1f ms\n",
        rounds, percentile(latencies, 0), median(latencies),
        std::accumulate(latencies.begin(), latencies.end(), 0.0) / rounds,
        percentile(latencies, 1));
    std::printf("(the reply parser polls every 100 ms, so up to 100 ms is expected)\n");
}
