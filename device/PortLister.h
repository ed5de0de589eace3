#pragma once

#include <QStringList>

// Lists the serial ports that can be opened right now: those the system
// reports, then every path named in the colon-separated variable
// RT58_EXTRA_PORTS (pseudo-terminals such as the simulated calibrator's link,
// which the system does not report).
class PortLister
{
public:
    static QStringList openablePorts();
    static bool canOpen(const QString &portName);

private:
    static QStringList extraPortPaths();
};
