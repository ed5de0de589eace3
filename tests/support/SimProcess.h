#pragma once

#include <QProcess>
#include <QStringList>

// The simulated calibrator run as a child process with its trace switched on.
class SimProcess
{
public:
    SimProcess() = default;
    ~SimProcess();
    SimProcess(const SimProcess &) = delete;
    SimProcess &operator=(const SimProcess &) = delete;

    // Starts rt58-sim on linkPath and waits until it has published the link.
    bool start(const QString &linkPath, const QStringList &extraArguments = {});
    // SIGTERM, as a technician's Ctrl-C would; returns the exit code.
    int stop();
    // SIGKILL: the device vanishes without a word.
    void kill();

    // Frames the simulator received so far, as upper-case hex with blanks.
    QStringList receivedFrames();

private:
    QProcess m_process;
    QByteArray m_trace;
};
