#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QThreadPool>
#include <QVector>

#include <functional>

// Keeps the results of a test run on disk as they come, so that a crash or a
// power cut loses no finished point: one CSV file per run, named after the
// run's start, in a folder of the working folder. The file is UTF-8 with a
// byte order mark, comma separated with CR LF line ends; its first row is the
// table header, then one row per point as soon as that point has ended.
// Every row reaches the system at once and the disk in the background; a
// journal that cannot be written logs one warning per run, tells the failure
// handler once per run, and never stops or slows the run.
class RunJournal
{
public:
    explicit RunJournal(const QString &folder = QStringLiteral("Results"));
    ~RunJournal();
    RunJournal(const RunJournal &) = delete;
    RunJournal &operator=(const RunJournal &) = delete;

    // Starts the file of a run; a journal still open is ended first.
    void begin(const QDateTime &start, const QStringList &header);
    // Writes the row of a point that has ended. A row written before with
    // other texts is replaced, the whole file being rewritten atomically.
    void record(int row, const QStringList &cells);
    void end();

    // The file of the current or the last run; empty before the first.
    QString filePath() const { return m_path; }

    // Called with the file and the reason the first time in a run that the
    // journal cannot be written.
    void setFailureHandler(std::function<void(const QString &path, const QString &reason)> handler)
    {
        m_failureHandler = std::move(handler);
    }

private:
    enum Change_e
    {
        Unchanged,
        Appended,
        Replaced
    };

    bool createFile(const QDateTime &start, QString *reason);
    Change_e store(int row, const QByteArray &line);
    bool append(const QByteArray &bytes);
    bool rewrite();
    QByteArray contents() const;
    void syncInBackground(int descriptor);
    void warn(const QString &reason);

    QString m_folder;
    QString m_path;
    QFile m_file;
    QByteArray m_header;
    QVector<QPair<int, QByteArray>> m_rows;
    qint64 m_writtenSize = 0;
    // False after a failed write, until a rewrite has put every row back.
    bool m_complete = true;
    bool m_active = false;
    bool m_warned = false;
    QThreadPool m_syncPool;
    std::function<void(const QString &, const QString &)> m_failureHandler;
};
