#include "log/LogSaveBase.h"

#include "log/LogInput.h"

#include <QDir>

const char *const logFolder = "./Log/";

LogSaveBase::LogSaveBase(QObject *parent) : QObject(parent)
{
    const QString folder = QString::fromLatin1(logFolder);
    if (!QDir(folder).exists())
        QDir().mkpath(folder);
    connect(LogInput::instance(), &LogInput::logData, this, &LogSaveBase::saveLog,
            Qt::QueuedConnection);
}

LogSaveBase::~LogSaveBase()
{
    disconnect(LogInput::instance(), &LogInput::logData, this, &LogSaveBase::saveLog);
}
