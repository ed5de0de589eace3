#include "SimProcess.h"

#include <QElapsedTimer>

SimProcess::~SimProcess()
{
    if (m_process.state() != QProcess::NotRunning)
        stop();
}

bool SimProcess::start(const QString &linkPath, const QStringList &extraArguments)
{
    m_trace.clear();
    m_process.setProgram(QStringLiteral(RT58_SIM_EXECUTABLE));
    m_process.setArguments(QStringList{"--link", linkPath, "--verbose"} + extraArguments);
    m_process.start();
    if (!m_process.waitForStarted(5000))
        return false;
    QElapsedTimer clock;
    clock.start();
    while (!m_process.canReadLine() && clock.elapsed() < 5000)
        m_process.waitForReadyRead(100);
    return m_process.readLine().trimmed() == linkPath.toLocal8Bit();
}

int SimProcess::stop()
{
    m_process.terminate();
    m_process.waitForFinished(5000);
    return m_process.exitCode();
}

void SimProcess::kill()
{
    m_process.kill();
    m_process.waitForFinished(5000);
}

QStringList SimProcess::receivedFrames()
{
    m_trace += m_process.readAllStandardError();
    QStringList frames;
    for (const QString &line : QString::fromLatin1(m_trace).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("rx ")))
            frames << line.mid(3);
    }
    return frames;
}
