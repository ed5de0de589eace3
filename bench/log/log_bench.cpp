// Throughput of the log subsystem, from qDebug on one or four emitting threads
// to a flushed line in ./Log/, in Txt by day and by size, with the resident
// memory after every round of messages and the floor of this machine: a plain
// loop that writes and flushes the same lines with QFile.
//
//   log_bench           1,000,000 messages per case
//   log_bench --short   100,000 messages per case
//   log_bench --messages N   N messages per case (at least 100,000)

#include "app/GlobalState.h"
#include "log/LogInput.h"
#include "log/LogSaveTxt.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <atomic>
#include <cstdio>
#include <memory>
#include <vector>

#include <malloc.h>
#include <unistd.h>

namespace {
std::atomic<qint64> passedOn{0};

// Stands where Qt's console output would be, so that the figures are those of
// the log files and not of the terminal.
void countingHandler(QtMsgType, const QMessageLogContext &, const QString &)
{
    passedOn.fetch_add(1, std::memory_order_relaxed);
}

// The resident size once the allocator has handed its free memory back, so
// that what is measured is the memory in use, not what the heap keeps at hand
// after a backlog of queued records.
double residentMiB()
{
    malloc_trim(0);
    long pages = 0, resident = 0;
    if (FILE *f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void emptyLogFolder()
{
    QDir folder(QStringLiteral("Log"));
    for (const QString &name : folder.entryList(QDir::Files))
        folder.remove(name);
}

// Everything written to ./Log/, in one block that goes back to the system when freed.
QByteArray loggedText()
{
    QByteArray text;
    QDir folder(QStringLiteral("Log"));
    for (const QString &name : folder.entryList(QDir::Files, QDir::Name)) {
        QFile file(folder.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            text += file.readAll();
    }
    return text;
}

// Writes and flushes each line with a bare QFile: what one record costs at least.
double floorRate(const QByteArray &text, int lines)
{
    QFile file(QStringLiteral("floor.log"));
    file.remove();
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Text))
        return 0;
    QElapsedTimer timer;
    timer.start();
    for (int start = 0; start < text.size();) {
        const int end = text.indexOf('\n', start) + 1;
        file.write(text.constData() + start, end - start);
        file.flush();
        start = end;
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    file.close();
    file.remove();
    return lines / seconds;
}

// Emits `count` messages spread over `threads` threads while the main thread
// writes them, and returns when the last one is on disk.
void emitRound(int threads, int count, int round)
{
    std::atomic<int> done{0};
    std::vector<std::unique_ptr<QThread>> workers;
    for (int t = 0; t < threads; ++t) {
        const int share = count / threads + (t < count % threads ? 1 : 0);
        workers.emplace_back(QThread::create([t, share, round, &done] {
            for (int i = 0; i < share; ++i)
                qDebug("bench round %d thread %d message %d", round, t, i);
            done.fetch_add(1);
            QMetaObject::invokeMethod(
                qApp, [] {}, Qt::QueuedConnection); // wake the main thread
        }));
    }
    for (auto &worker : workers)
        worker->start();
    while (done.load() < threads)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    for (auto &worker : workers)
        worker->wait();
    QCoreApplication::sendPostedEvents();
}

struct Case
{
    const char *name;
    quint32 relyMode;
    quint32 sizeMiB;
    int threads;
};

// Returns false when a record is missing from the files.
bool runCase(const Case &c, int total, int rounds)
{
    LogSaveTxt::instance()->setFileType(LogSaveTxt::Txt); // closes the file, forgets its name
    emptyLogFolder();
    logRelyMode = c.relyMode;
    logTime = 24;
    logSize = c.sizeMiB;

    // Rounds keep the backlog of queued records, and so the memory it takes,
    // bounded; the resident size is read at ten points of the run.
    std::vector<double> memory;
    QElapsedTimer timer;
    timer.start();
    for (int r = 0; r < rounds; ++r) {
        emitRound(c.threads, total / rounds, r);
        if ((r + 1) % (rounds / 10) == 0)
            memory.push_back(residentMiB());
    }
    const double seconds = timer.nsecsElapsed() / 1e9;

    const QByteArray text = loggedText();
    const int lines = text.count('\n');
    const double rate = total / seconds;
    const double floor = floorRate(text, lines);
    std::printf("%-22s %d thread%s  %8.0f records/s  floor %8.0f lines/s  ratio %.2f  files %d%s\n",
                c.name, c.threads, c.threads == 1 ? " " : "s", rate, floor, rate / floor,
                int(QDir(QStringLiteral("Log")).entryList(QDir::Files).size()),
                lines == total ? "" : "  LINES MISSING");
    std::printf("%-22s resident MiB at each tenth:", "");
    for (double m : memory)
        std::printf(" %.1f", m);
    std::printf("\n");
    std::fflush(stdout);
    return lines == total;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool isShort = args.contains(QStringLiteral("--short"));
    int total = isShort ? 100000 : 1000000;
    const int asked = args.indexOf(QStringLiteral("--messages"));
    if (asked > 0 && asked + 1 < args.size())
        total = qMax(100000, args[asked + 1].toInt()) / 10000 * 10000;
    const int rounds = total / 10000;

    QFile::remove(QStringLiteral("config.ini"));
    QDir(QStringLiteral("Log")).removeRecursively();
    qInstallMessageHandler(&countingHandler);
    LogSaveTxt::instance();

    std::printf("log_bench: %d messages per case in %d rounds, flush after every record\n", total,
                rounds);
    const quint32 sizeMiB = isShort ? 1 : 8;
    const Case cases[] = {
        {"Txt by day", 0, 100, 1},
        {"Txt by day", 0, 100, 4},
        {isShort ? "Txt by size (1 MiB)" : "Txt by size (8 MiB)", 1, sizeMiB, 1},
        {isShort ? "Txt by size (1 MiB)" : "Txt by size (8 MiB)", 1, sizeMiB, 4},
    };
    bool complete = true;
    for (const Case &c : cases)
        complete = runCase(c, total, rounds) && complete;
    std::printf("messages passed on to the previous handler: %lld\n",
                static_cast<long long>(passedOn.load()));
    return complete ? 0 : 1;
}
