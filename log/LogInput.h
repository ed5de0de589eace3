#pragma once

#include <QObject>
#include <QString>
#include <QTime>
#include <QtGlobal>

// Creates "./config.ini" with the default log settings when it does not exist,
// then loads relyMode, time, size, rowNum and name into logRelyMode, logTime,
// logSize, logRowNum and logName. Keys that are absent or not a number read as
// 0, an absent name as empty: the defaults are written, never read.
void loadLogConfig();

// Writes the name of the log file in use to "LogConfig/name" of "./config.ini",
// creating the file if needed, and sets logName to it. A write that fails is not
// reported; logName changes all the same.
void saveLogName(const QString &name);

// Captures every Qt message of the process. The installed handler stamps each
// non-empty message with the current time and emits logData, which the log
// writer receives through a queued connection; the handler that was installed
// before keeps receiving every message.
class LogInput : public QObject
{
    Q_OBJECT

public:
    // The single capture object, created on first use: creation loads the log
    // settings, registers QtMsgType and installs messageHandler.
    static LogInput *instance();

    // The handler installed with qInstallMessageHandler.
    static void messageHandler(QtMsgType type, const QMessageLogContext &context,
                               const QString &msg);

    // Uninstalls the handler (Qt's default comes back). The program never
    // destroys the instance.
    ~LogInput() override;

signals:
    void logData(QtMsgType type, const QTime &time, const QString &file, const QString &function,
                 int line, const QString &msg);

private:
    LogInput() = default;
};
