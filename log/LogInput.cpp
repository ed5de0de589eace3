#include "log/LogInput.h"

#include "app/GlobalState.h"
#include "log/LogClock.h"

#include <QFile>
#include <QMutex>
#include <QMutexLocker>
#include <QSettings>

#include <atomic>

namespace {
const char *const logConfigPath = "./config.ini";
const char *const logConfigGroup = "LogConfig";

std::atomic<LogInput *> logInputInstance{nullptr};
std::atomic<QtMessageHandler> previousHandler{nullptr};

// The settings file, read and written as UTF-8 so that file names holding
// Chinese text stay readable in it.
class LogSettings : public QSettings
{
public:
    LogSettings() : QSettings(QString::fromLatin1(logConfigPath), QSettings::IniFormat)
    {
        setIniCodec("UTF-8");
        beginGroup(QLatin1String(logConfigGroup));
    }
};

quint32 readUInt(const QSettings &settings, const char *key)
{
    bool ok = false;
    const quint32 value = settings.value(QLatin1String(key)).toUInt(&ok);
    return ok ? value : 0;
}
} // namespace

void loadLogConfig()
{
    if (!QFile::exists(QString::fromLatin1(logConfigPath))) {
        LogSettings defaults;
        defaults.setValue(QStringLiteral("relyMode"), 0);
        defaults.setValue(QStringLiteral("time"), 24);
        defaults.setValue(QStringLiteral("size"), 100);
        defaults.setValue(QStringLiteral("name"), QString());
        defaults.setValue(QStringLiteral("rowNum"), 1000);
    }
    const LogSettings settings;
    logRelyMode = readUInt(settings, "relyMode");
    logTime = readUInt(settings, "time");
    logSize = readUInt(settings, "size");
    logRowNum = readUInt(settings, "rowNum");
    logName = settings.value(QStringLiteral("name")).toString();
}

void saveLogName(const QString &name)
{
    LogSettings settings;
    settings.setValue(QStringLiteral("name"), name);
    logName = name;
}

LogInput *LogInput::instance()
{
    if (LogInput *existing = logInputInstance.load(std::memory_order_acquire))
        return existing;
    static QMutex creationLock;
    QMutexLocker locker(&creationLock);
    if (!logInputInstance.load(std::memory_order_relaxed)) {
        auto *created = new LogInput;
        loadLogConfig();
        qRegisterMetaType<QtMsgType>("QtMsgType");
        previousHandler = qInstallMessageHandler(&LogInput::messageHandler);
        logInputInstance.store(created, std::memory_order_release);
    }
    return logInputInstance.load(std::memory_order_relaxed);
}

LogInput::~LogInput()
{
    qInstallMessageHandler(nullptr);
    LogInput *self = this;
    logInputInstance.compare_exchange_strong(self, nullptr);
}

void LogInput::messageHandler(QtMsgType type, const QMessageLogContext &context, const QString &msg)
{
    if (!msg.isEmpty()) {
        LogInput *input = logInputInstance.load(std::memory_order_acquire);
        if (input) {
            emit input->logData(type, LogClock::now().time(), QString::fromUtf8(context.file),
                                QString::fromUtf8(context.function), context.line, msg);
        }
    }
    if (const QtMessageHandler previous = previousHandler.load(std::memory_order_acquire))
        previous(type, context, msg);
}
