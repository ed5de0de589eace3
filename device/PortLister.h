#pragma once

#include <QList>
#include <QStringList>

class QSerialPortInfo;

// Lists the serial ports that can be opened right now: first every path named
// in the colon-separated variable RT58_EXTRA_PORTS, in its order
// (pseudo-terminals such as the simulated calibrator's link, which the system
// does not report), then those the system reports. The first entry is the
// one selected, so a named port is the default.
class PortLister
{
public:
    static QStringList openablePorts();
    static bool canOpen(const QString &portName);

    // Starts asking the system for its serial ports on another thread, so that
    // the first openablePorts() finds the answer ready. Asking is the slow part
    // of listing; opening each port stays with the caller's thread. Start-up
    // calls this before it builds the window, whose Init lists the ports.
    static void prepareSystemPorts();

private:
    static QList<QSerialPortInfo> systemPorts();
    static QStringList extraPortPaths();
};
