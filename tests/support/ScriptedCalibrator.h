#pragma once

#include "device/FrameCutter.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QStringList>
#include <QThread>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

class PseudoTerminal;
class QTimer;

// A calibrator whose vibrate replies a test scripts, on a pseudo-terminal of its
// own. It runs on a thread of its own, so that its replies keep their own
// timing instead of waiting for the window's event loop. The test's thread
// hands it work through a queue under a standard mutex, which ThreadSanitizer
// sees (Qt's own cross-thread calls it cannot see into). Link, unlink, read
// and configure frames get their plain replies, at once and with types 0 and 0
// unless setTypes says otherwise.
class ScriptedCalibrator
{
public:
    // Bytes written to the line a delay after the frame that asked for them.
    struct Write
    {
        int delayMs;
        QByteArray bytes;
    };
    // Called on the calibrator's thread with each vibrate frame and its index
    // among the vibrate frames received so far (0 for the first).
    using Script = std::function<QList<Write>(const QByteArray &command, int index)>;

    explicit ScriptedCalibrator(Script script);
    ~ScriptedCalibrator();
    ScriptedCalibrator(const ScriptedCalibrator &) = delete;
    ScriptedCalibrator &operator=(const ScriptedCalibrator &) = delete;

    bool start(const QString &linkPath);
    // Closes the line, as an unplugged calibrator would.
    void stop();
    // Writes bytes nobody asked for, after a delay.
    void writeLater(int delayMs, const QByteArray &bytes);
    // The types that read replies carry (-1 as FF), written a delay after the
    // read frame.
    void setTypes(int sensorType, int inputType, int delayMs = 0);

    // Frames received so far, as upper-case hex with blanks.
    QStringList receivedFrames() const;

    // A 'V' reply with the point number and the two counts.
    static QByteArray pointReply(int pointNumber, int amplitudeCount, int outputCount);
    // The reply of a well-behaved calibrator to a vibrate frame: its point
    // number, twice the amplitude code as the control count (so the window
    // shows the commanded amplitude) and the given output count.
    static QByteArray answer(const QByteArray &command, int outputCount);
    // Point number and amplitude code of a vibrate frame.
    static int pointNumber(const QByteArray &command);
    static int amplitudeCode(const QByteArray &command);

private:
    struct Pending
    {
        qint64 dueMs;
        QByteArray bytes;
    };

    // Runs the task on the calibrator's thread; waits until it has run.
    void runOnThread(std::function<void()> task, bool wait);
    void runTasks();
    void openOnThread(const QString &linkPath, bool &opened);
    void receive(const QByteArray &bytes);
    QList<Write> reply(const QByteArray &command);
    void schedule(int delayMs, const QByteArray &bytes);
    void writeDue();

    Script m_script;
    QThread m_thread;
    QObject *m_context = nullptr;
    // Touched only on the calibrator's thread.
    PseudoTerminal *m_terminal = nullptr;
    QTimer *m_timer = nullptr;
    QTimer *m_taskPoll = nullptr;
    FrameCutter m_cutter;
    QByteArray m_pending;
    QList<Pending> m_queue;
    QElapsedTimer m_clock;
    int m_vibrateFrames = 0;
    QByteArray m_typesPayload = QByteArray(2, '\0');
    int m_typesDelayMs = 0;
    // Shared with the test's thread.
    mutable std::mutex m_lock;
    std::condition_variable m_taskDone;
    std::deque<std::function<void()>> m_tasks;
    int m_tasksRun = 0;
    QStringList m_frames;
};
