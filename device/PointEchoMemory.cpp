#include "device/PointEchoMemory.h"

#include <QSettings>

#include <utility>

namespace {
// The program's settings file, read and written as UTF-8 like the log
// settings beside it.
class EchoSettings : public QSettings
{
public:
    EchoSettings() : QSettings(QStringLiteral("./config.ini"), QSettings::IniFormat)
    {
        setIniCodec("UTF-8");
        beginGroup(QStringLiteral("PointNumbers"));
    }
};

const std::pair<const char *, PointLedger::Echo_e> portLists[] = {
    {"echoing", PointLedger::Echoes},
    {"notEchoing", PointLedger::NoEcho},
};
} // namespace

PointLedger::Echo_e PointEchoMemory::recall(const QString &portName)
{
    const EchoSettings stored;
    for (const auto &[key, echo] : portLists) {
        if (stored.value(QLatin1String(key)).toStringList().contains(portName))
            return echo;
    }
    return PointLedger::EchoUnknown;
}

// A port is in at most one of the lists; an unknown one is in neither.
void PointEchoMemory::remember(const QString &portName, PointLedger::Echo_e echo)
{
    EchoSettings stored;
    for (const auto &[key, listed] : portLists) {
        QStringList ports = stored.value(QLatin1String(key)).toStringList();
        ports.removeAll(portName);
        if (echo == listed)
            ports << portName;
        if (ports.isEmpty())
            stored.remove(QLatin1String(key));
        else
            stored.setValue(QLatin1String(key), ports);
    }
}
