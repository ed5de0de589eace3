#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGINT, SIGTERM and SIGHUP into a Qt signal, so that the simulator
// leaves its event loop and cleans up instead of dying on the spot.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    // Must run before any thread starts, so that every thread inherits the
    // blocked signal mask.
    static void block();

    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

    bool isValid() const { return m_descriptor >= 0; }

signals:
    void received(int signalNumber);

private:
    void readSignal();

    int m_descriptor = -1;
    QSocketNotifier *m_notifier = nullptr;
};
