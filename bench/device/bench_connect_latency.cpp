// Time from a click on Connect until the status label reads "已连接", against
// the simulated calibrator with no reply delay; then Disconnect, and again.
// Each click comes after a random pause, as an operator's would, so that the
// clicks do not fall into step with the reply parser's 100 ms poll.
#include "SimProcess.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLoggingCategory>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>

namespace {
void pause(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

bool waitForStatus(const QLabel *label, const QString &text, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (label->text() != text) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        QThread::usleep(200);
    }
    return true;
}

void printFigures(QList<double> latencies)
{
    std::sort(latencies.begin(), latencies.end());
    double sum = 0;
    for (double latency : latencies)
        sum += latency;
    std::printf(
        "connect to \"已连接\" over %d connects: min %.1f ms, median %.1f ms, mean %.1f ms, "
        "max %.1f ms\n",
        int(latencies.size()), latencies.first(), latencies.at(latencies.size() / 2),
        sum / latencies.size(), latencies.last());
    std::printf("(the reply parser polls every 100 ms, so up to 100 ms is expected)\n");
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
    if (!sim.start(link)) {
        std::fprintf(stderr, "rt58-sim did not start\n");
        return 1;
    }
    MainWindow window;
    auto *ports = window.findChild<QComboBox *>(QStringLiteral("serialPortComboBox"));
    auto *status = window.findChild<QLabel *>(QStringLiteral("connectStatusLabel"));
    auto *connectButton = window.findChild<QPushButton *>(QStringLiteral("connectBtn"));
    auto *disconnectButton = window.findChild<QPushButton *>(QStringLiteral("disconnectBtn"));
    QRandomGenerator random(3);
    QList<double> latencies;
    for (int round = 0; round < rounds; ++round) {
        ports->setCurrentText(link);
        pause(random.bounded(200));
        QElapsedTimer clock;
        clock.start();
        connectButton->click();
        if (!waitForStatus(status, QStringLiteral("已连接"), 5000)) {
            std::fprintf(stderr, "no connection in round %d\n", round);
            return 1;
        }
        latencies << clock.nsecsElapsed() / 1e6;
        disconnectButton->click();
        if (!waitForStatus(status, QStringLiteral("已断开"), 5000)) {
            std::fprintf(stderr, "no disconnection in round %d\n", round);
            return 1;
        }
    }
    printFigures(latencies);
    return 0;
}
