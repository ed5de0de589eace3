#pragma once

#include "MessageLog.h"
#include "ModalAnswerer.h"
#include "ScriptedCalibrator.h"
#include "SimProcess.h"
#include "WorkbenchDriver.h"

#include <QTemporaryDir>

#include <functional>
#include <memory>

// The real main window against a calibrator on a pseudo-terminal of its own,
// for the end-to-end tests: a link folder whose link heads the port list
// (RT58_EXTRA_PORTS, with any extra ports after it), a calibrator scripted by
// the test or the simulated one, an answerer of every box and dialog, and a
// capture of the warnings about ignored replies and lost ports.
class Workbench : public WorkbenchDriver
{
public:
    // Starts a calibrator on the given link; false when it could not.
    using Calibrator = std::function<bool(Workbench &bench, const QString &link)>;

    explicit Workbench(const QStringList &extraPorts = {});
    ~Workbench();

    static Calibrator simulator(const QStringList &options = {});
    // The scripted calibrator, prepared before it starts (its types, say).
    static Calibrator script(const ScriptedCalibrator::Script &script,
                             const std::function<void(ScriptedCalibrator &)> &prepare = {});
    // Every point answered after a delay, with its own number and an output
    // count of 400.
    static ScriptedCalibrator::Script answerAfter(int delayMs);

    MainWindow &window() { return *m_window; }
    ModalAnswerer &answerer() { return m_answerer; }
    MessageLog &messages() { return m_messages; }
    QString folder() const { return m_folder.path(); }
    QString link() const { return m_link; }

    // Starts the calibrator and connects the window to it.
    bool start(const Calibrator &calibrator);
    // Only starts the calibrator.
    bool launch(const Calibrator &calibrator);
    // The program closed (the close question answered) and started again.
    void reopenWindow();
    // The line goes, as an unplugged calibrator's would.
    void loseLine();
    // Connects again once the port of the last link has been let go.
    bool reconnect();
    // The calibrator back on the line after loseLine(), connected again.
    bool restart();
    ScriptedCalibrator &scripted() { return *m_scripted; }

    // Frames the calibrator received so far (upper-case hex with blanks) that
    // start with the prefix: "21 56" vibrate, "21 53" unlink.
    QStringList frames(const QString &prefix);
    // Runs action on the window's event loop once this many vibrate frames
    // have arrived.
    void whenVibrateFrames(int count, const std::function<void()> &action);
    // Points at 160 Hz with these amplitudes (ms^-2).
    void addPoints(const QList<double> &amplitudes);
    // Presses Start and returns when the run has ended; Stop is pressed for it
    // after the given time, so that a stalled run fails quickly instead of
    // waiting for every point to time out.
    void run(int stopAfterMs = 15000);
    // Lets everything that is still coming in be handled: a little longer
    // than the 100 ms polls of the worker and the test sequence.
    static void settle();

private:
    QTemporaryDir m_folder;
    QString m_link;
    SimProcess m_sim;
    std::unique_ptr<ScriptedCalibrator> m_scripted;
    Calibrator m_calibrator;
    MessageLog m_messages;
    std::unique_ptr<MainWindow> m_window;
    ModalAnswerer m_answerer;
};

// What the window shows as the control amplitude of a point commanded at
// these amplitudes (ms^-2) and answered with twice the amplitude code.
QStringList amplitudeTexts(const QList<double> &amplitudes);
