#include "device/PortLister.h"

#include <QSerialPort>
#include <QSerialPortInfo>

#include <future>
#include <mutex>

namespace {
std::mutex preparedLock;
std::future<QList<QSerialPortInfo>> preparedPorts;
} // namespace

QStringList PortLister::openablePorts()
{
    QStringList names;
    const QStringList extras = extraPortPaths();
    for (const QString &path : extras) {
        if (canOpen(path))
            names.append(path);
    }
    const auto ports = systemPorts();
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

void PortLister::prepareSystemPorts()
{
    const std::lock_guard<std::mutex> locker(preparedLock);
    preparedPorts =
        std::async(std::launch::async | std::launch::deferred, &QSerialPortInfo::availablePorts);
}

// The prepared answer serves one listing; every later one asks afresh.
QList<QSerialPortInfo> PortLister::systemPorts()
{
    std::future<QList<QSerialPortInfo>> prepared;
    {
        const std::lock_guard<std::mutex> locker(preparedLock);
        prepared = std::move(preparedPorts);
    }
    return prepared.valid() ? prepared.get() : QSerialPortInfo::availablePorts();
}

QStringList PortLister::extraPortPaths()
{
    return qEnvironmentVariable("RT58_EXTRA_PORTS").split(QLatin1Char(':'), Qt::SkipEmptyParts);
}
