#pragma once

#include <QStringList>

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

private:
    static QStringList extraPortPaths();
};
