#pragma once

#include <QObject>
#include <QString>
#include <QTime>
#include <QtGlobal>

// A log writer: receives every captured message (LogInput::logData) and keeps
// it in a log file under "./Log/".
class LogSaveBase : public QObject
{
    Q_OBJECT

public:
    // Creates "./Log/" with its missing parents if needed and connects
    // LogInput::logData to saveLog through a queued connection.
    explicit LogSaveBase(QObject *parent = nullptr);
    // Disconnects the same pair.
    ~LogSaveBase() override;

public slots:
    // Writes one record.
    virtual void saveLog(QtMsgType type, const QTime &time, const QString &file,
                         const QString &function, int line, const QString &msg) = 0;
    // Makes sure the right file is open, starting a new one when a limit is
    // reached; true means a record may be written now.
    virtual bool checkLogFile() = 0;
};

// The folder of the log files, relative to the working directory, with its
// trailing separator.
extern const char *const logFolder;
