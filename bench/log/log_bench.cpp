// Throughput of logging from qDebug on one or four emitting threads to a flushed
// line in ./Log/, in Txt by day and by size, as a ratio to the floor of this
// machine (a plain QFile loop that writes and flushes the same lines), with the
// resident memory at every tenth of the run.
//
//   log_bench           1,000,000 messages per case
//   log_bench --short   100,000 messages per case

#include "app/GlobalState.h"
#include "log/LogSaveTxt.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>
#include <thread>
#include <vector>

#include <malloc.h>
#include <unistd.h>

namespace {
// The memory in use once the allocator has handed back what a backlog of queued
// records left free, so that the figure is not what the heap keeps at hand.
double residentMiB()
{
    malloc_trim(0);
    QFile statm(QStringLiteral("/proc/self/statm"));
    statm.open(QIODevice::ReadOnly); // unreadable: no pages
    return statm.readAll().split(' ').value(1).toDouble() * sysconf(_SC_PAGESIZE) / 1048576.0;
}

// Everything written to ./Log/.
QByteArray loggedText()
{
    QByteArray text;
    const QDir folder(QStringLiteral("Log"));
    for (const QString &name : folder.entryList(QDir::Files, QDir::Name)) {
        QFile file(folder.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            text += file.readAll();
    }
    return text;
}

// Lines per second of a bare QFile writing and flushing each line: what one
// record costs at least.
double floorRate(const QByteArray &text)
{
    QFile file(QStringLiteral("floor.log"));
    file.remove();
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Text))
        return 0;
    QElapsedTimer timer;
    timer.start();
    int lines = 0;
    for (int start = 0, end; (end = text.indexOf('\n', start) + 1) > 0; start = end, ++lines) {
        file.write(text.constData() + start, end - start);
        file.flush();
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    file.remove();
    return lines / seconds;
}

// Emits `count` messages spread over `threads` threads while the main thread
// writes them, and returns once the last one is on disk. Each thread ends with a
// call queued behind its own records, which counts it done in the main thread.
void emitRound(int threads, int count)
{
    int done = 0;
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t)
        workers.emplace_back([t, threads, count, &done] {
            for (int i = t; i < count; i += threads)
                qDebug("bench thread %d message %d", t, i);
            QMetaObject::invokeMethod(
                qApp, [&done] { ++done; }, Qt::QueuedConnection);
        });
    while (done < threads)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    for (std::thread &worker : workers)
        worker.join();
    QCoreApplication::sendPostedEvents();
}

// Runs one case in rounds of 10,000 messages, which keep the backlog of queued
// records bounded; returns false when a record is missing from the files.
bool runCase(quint32 relyMode, quint32 sizeMiB, int threads, int total)
{
    LogSaveTxt::instance()->setFileType(LogSaveTxt::Txt); // closes the file, forgets its name
    QDir(QStringLiteral("Log")).removeRecursively();
    QDir().mkdir(QStringLiteral("Log"));
    logRelyMode = relyMode;
    logSize = sizeMiB;
    const int rounds = total / 10000;
    QByteArray memory;
    QElapsedTimer timer;
    timer.start();
    for (int round = 1; round <= rounds; ++round) {
        emitRound(threads, total / rounds);
        if (round % (rounds / 10) == 0)
            memory += " " + QByteArray::number(residentMiB(), 'f', 1);
    }
    const double rate = total / (timer.nsecsElapsed() / 1e9);
    const QByteArray text = loggedText();
    const int lines = text.count('\n');
    const double floor = floorRate(text);
    const QByteArray name = relyMode == 0 ? QByteArray("Txt by day")
                                          : "Txt by size (" + QByteArray::number(sizeMiB) + " MiB)";
    std::printf("%-22s %d thread%s  %8.0f records/s  floor %8.0f lines/s  ratio %.2f  files %d%s\n",
                name.constData(), threads, threads == 1 ? " " : "s", rate, floor, rate / floor,
                int(QDir(QStringLiteral("Log")).entryList(QDir::Files).size()),
                lines == total ? "" : "  LINES MISSING");
    std::printf("%-22s resident MiB at each tenth:%s\n", "", memory.constData());
    return lines == total;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const bool isShort = app.arguments().contains(QStringLiteral("--short"));
    const int total = isShort ? 100000 : 1000000;
    const quint32 sizeMiB = isShort ? 1 : 8;
    QFile::remove(QStringLiteral("config.ini"));
    // Stands where the console output would be, so that the figures are those of the files.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    LogSaveTxt::instance();
    std::printf("log_bench: %d messages per case, flush after every record\n", total);
    bool complete = true;
    for (const quint32 relyMode : {0u, 1u})
        for (const int threads : {1, 4})
            complete = runCase(relyMode, relyMode == 0 ? 100 : sizeMiB, threads, total) && complete;
    return complete ? 0 : 1;
}
