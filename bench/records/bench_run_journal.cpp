// Cost of the run journal to a test run: the time one point's row takes on
// the GUI thread (the write to the system; the sync to disk runs in the
// background), and the time until every row is on disk. Two runs: points
// back to back, the worst case, where a row can wait for the sync of the
// one before; and points 100 ms apart, the shortest a point of a real run
// takes (the poll of the test sequence). --short runs fewer points.

#include "Percentile.h"
#include "records/RunJournal.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

namespace {
void measure(const char *name, int points, int gapMs)
{
    QTemporaryDir folder(QDir::current().filePath("journal-XXXXXX"));
    QList<qint64> costs;
    QElapsedTimer total;
    total.start();
    {
        RunJournal journal(folder.filePath("Results"));
        journal.begin(QDateTime::currentDateTime(),
                      {"序号", "幅值", "频率", "控制幅值", "灵敏度", "速度", "位移"});
        QElapsedTimer clock;
        for (int point = 0; point < points; ++point) {
            const QStringList cells{
                QString::number(point + 1), "10.00",        "160.00",  "9.87 ms^-2",
                "1.234 Pc/ms^-2",           "15.92 mms^-1", "25.33 um"};
            QThread::msleep(gapMs);
            clock.start();
            journal.record(point, cells);
            costs << clock.nsecsElapsed();
        }
        journal.end();
    }
    const qint64 untilSynced = total.elapsed() - qint64(points) * gapMs;
    const auto micro = [](qint64 nanoseconds) { return nanoseconds / 1000.0; };
    std::printf("%-22s %7d %10.1f %10.1f %10.1f %16lld\n", name, points, micro(median(costs)),
                micro(percentile(costs, 0.99)), micro(percentile(costs, 1)), untilSynced);
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const bool quick = application.arguments().contains("--short");
    std::printf("Run journal: cost of one point's row on the GUI thread\n");
    std::printf("%-22s %7s %10s %10s %10s %16s\n", "points", "count", "median us", "p99 us",
                "max us", "sync wait ms");
    measure("back to back", quick ? 200 : 1000, 0);
    measure("100 ms apart", quick ? 20 : 100, 100);
    return 0;
}
