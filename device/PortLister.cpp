#include "device/PortLister.h"

#include <QSerialPort>
#include <QSerialPortInfo>

QStringList PortLister::openablePorts()
{
    QStringList names;
    const QStringList extras = extraPortPaths();
    for (const QString &path : extras) {
        if (canOpen(path))
            names.append(path);
    }
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : ports) {
        if (canOpen(info.portName()))
            names.append(info.portName());
    }
    return names;
}

bool PortLister::canOpen(const QString &portName)
{
    QSerialPort port;
    port.setPortName(portName);
    if (!port.open(QIODevice::ReadWrite))
        return false;
    port.close();
    return true;
}

QStringList PortLister::extraPortPaths()
{
    return qEnvironmentVariable("RT58_EXTRA_PORTS").split(QLatin1Char(':'), Qt::SkipEmptyParts);
}
