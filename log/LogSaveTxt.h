#pragma once

#include "log/LogSaveBase.h"

#include <QDate>
#include <QFile>
#include <QMutex>
#include <QString>
#include <QTextStream>

class QDateTime;

// The log writer of the program: one line per record in "./Log/", as
// space-separated text (".log") or comma-separated values (".CSV"), in files
// that rotate by the clock, by size or by record count as the log settings say
// (logRelyMode, logTime, logSize, logRowNum), and whose name survives a restart
// through logName. Files are UTF-8 whatever the locale.
class LogSaveTxt : public LogSaveBase
{
    Q_OBJECT
    Q_PROPERTY(FileType m_type READ fileType WRITE setFileType)

public:
    enum FileType
    {
        Txt = 0,
        Csv = 1
    };
    Q_ENUM(FileType)

    // The writer of the program, created on first use with no parent and
    // never destroyed.
    static LogSaveTxt *instance();

    // A writer of its own, in Txt; the program only uses instance().
    explicit LogSaveTxt(QObject *parent = nullptr);

    FileType fileType() const;
    // Installs the formats of the type (any other value keeps them), forgets the
    // file name and closes the file, so the next record starts a new file.
    void setFileType(FileType type);

    void saveLog(QtMsgType type, const QTime &time, const QString &file, const QString &function,
                 int line, const QString &msg) override;
    bool checkLogFile() override;

    // Opens "./Log/" + name for appending; a name that is not a plain file
    // name fails. A failure issues the warning "打开日志文件失败" once, not again
    // until a file has opened: the warning is itself logged, and would otherwise
    // come back here to fail and warn again.
    bool openFile(const QString &name);

private:
    void installFormats(FileType type);
    const QString &wantedDayFilePath(const QDateTime &now);
    QString field(const QString &text) const;
    bool checkByClock();
    bool checkBySize();
    bool checkByRows();
    qint64 fileSize() const;
    bool openNamedOrNewFile();
    bool startFile(const QString &name);
    static bool isPlainFileName(const QString &name);

    QFile m_file;
    QTextStream m_stream;
    FileType m_type = Txt;
    mutable QMutex m_mutex;
    QString m_lineFormat;
    QString m_fileNameFormat;
    QString m_dayFileNameFormat;
    bool m_quoteFields = false;
    bool m_openFailing = false;
    // The path of the file wanted by the clock, kept while the date and the half
    // of the day stay the same (half 0 when the files are by whole days).
    QDate m_wantedDate;
    int m_wantedHalf = 0;
    QString m_wantedPath;
    // The path of the day's file that the open file stands in for, because the
    // day's file could not be opened; empty otherwise.
    QString m_standInFor;
};
