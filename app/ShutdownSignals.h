#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP (kill, Ctrl+C, logout) into the Qt signal
// received(), delivered by the event loop of the thread that created the
// object, so that the program can close as an operator would instead of
// dying on the spot. The signal handler only writes the signal number into a
// socket pair; a socket notifier reads it. Each signal is caught once: a second
// one of the same kind ends the program at once, as before.
class ShutdownSignals : public QObject
{
    Q_OBJECT

public:
    explicit ShutdownSignals(QObject *parent = nullptr);
    // Restores the default actions.
    ~ShutdownSignals() override;

    // False when the socket pair could not be made; the signals then keep
    // their default actions.
    bool isValid() const { return m_notifier != nullptr; }

signals:
    void received(int signalNumber);

private:
    static void writeSignal(int signalNumber);
    void readSignal();

    QSocketNotifier *m_notifier = nullptr;
};
