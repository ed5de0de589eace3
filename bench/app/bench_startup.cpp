#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

// Time from process start to the window shown, and resident memory once it is
// shown, for RT-58 and for a bare main-window program, under a virtual X server.

namespace {
struct Sample
{
    double milliseconds = 0;
    double residentMiB = 0;
};

bool windowVisible(qint64 pid)
{
    QProcess search;
    search.start("xdotool", {"search", "--onlyvisible", "--pid", QString::number(pid)});
    search.waitForFinished();
    return !search.readAllStandardOutput().trimmed().isEmpty();
}

double residentMiB(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

Sample measure(const QString &program, const QString &workingDir)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "xcb");
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(workingDir);
    QElapsedTimer clock;
    clock.start();
    process.start(program, QStringList());
    process.waitForStarted();
    Sample sample;
    while (clock.elapsed() < 20000 && !windowVisible(process.processId()))
        QThread::msleep(2);
    sample.milliseconds = clock.nsecsElapsed() / 1e6;
    QThread::msleep(300);
    sample.residentMiB = residentMiB(process.processId());
    process.kill();
    process.waitForFinished();
    return sample;
}

Sample median(QList<Sample> samples)
{
    auto byTime = [](const Sample &a, const Sample &b) { return a.milliseconds < b.milliseconds; };
    std::sort(samples.begin(), samples.end(), byTime);
    return samples.at(samples.size() / 2);
}

QString startVirtualDisplay(QProcess &server)
{
    const QString display = QStringLiteral(":%1").arg(90 + getpid() % 100);
    server.start("Xvfb", {display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    server.waitForStarted();
    QThread::msleep(500);
    return display;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const bool isShort = app.arguments().contains("--short");
    const int runs = isShort ? 3 : 11;
    QProcess server;
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("DISPLAY", startVirtualDisplay(server).toLatin1());

    QTemporaryDir folder;
    const QString program = folder.filePath("RT-58-bench");
    QFile::copy(QStringLiteral(RT58_PROGRAM), program);
    const QString bare = QStringLiteral(BARE_PROGRAM);

    QList<Sample> programSamples, bareSamples;
    for (int run = 0; run < runs; ++run) {
        programSamples << measure(program, folder.path());
        bareSamples << measure(bare, folder.path());
    }
    const Sample rt58 = median(programSamples);
    const Sample plain = median(bareSamples);
    std::printf("start-up (median of %d runs, under Xvfb)\n", runs);
    std::printf("  RT-58:       %7.1f ms to window shown, %6.1f MiB resident\n", rt58.milliseconds,
                rt58.residentMiB);
    std::printf("  QMainWindow: %7.1f ms to window shown, %6.1f MiB resident\n", plain.milliseconds,
                plain.residentMiB);
    std::printf("  ratio:       %7.2f x time, %6.2f x memory\n",
                rt58.milliseconds / plain.milliseconds, rt58.residentMiB / plain.residentMiB);
    if (server.state() == QProcess::Running) {
        server.terminate();
        server.waitForFinished();
    }
    return 0;
}
