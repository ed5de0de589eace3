#pragma once

#include "records/DatabaseSettings.h"
#include "records/RunRecord.h"

#include <QHash>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class RecordsDatabase;

// Writes every run into the records point by point, each point committed as
// it ends, on a thread of its own so that a slow or locked database never
// holds up the run. What cannot be written (a damaged or locked file, a
// server gone, a full disk) waits in order and is written once the database
// is back; backlogChanged tells how much is behind and why.
class RunRecorder : public QObject
{
    Q_OBJECT

public:
    explicit RunRecorder(const DatabaseSettings &settings, QObject *parent = nullptr);
    ~RunRecorder() override;

    void beginRun(const RunRecord &run);
    void recordPoint(const QString &uid, const PointRecord &point);
    void endRun(const QString &uid, const RunEnd &end);
    // A last try to write what waits; gives the journals of the runs that
    // are still not recorded in full, and logs them. The connection is
    // closed for good.
    QStringList shutDown();
    int pending() const { return m_queue.size(); }

    // Hands work to the recorder's thread from another thread, in order.
    // The work waits under a standard mutex, which the thread checker sees,
    // and the thread is woken by a signal connected before it started.
    // postAndWait returns once the recorder's thread has done it.
    void post(std::function<void()> work);
    void postAndWait(std::function<void()> work);

signals:
    void backlogChanged(int pending, const QString &reason);
    void workPosted();
    void workAwaited();

private:
    struct Operation
    {
        enum Kind_e
        {
            Begin,
            Point,
            End
        };
        Kind_e kind;
        QString uid;
        RunRecord run;
        PointRecord point;
        RunEnd end;
    };

    void keepPosted(std::function<void()> work);
    void takePosted();
    void enqueue(const Operation &operation);
    void flush();
    bool apply(const Operation &operation, QString *error);
    bool insertRun(const RunRecord &run, QString *error);
    bool writePoint(const QString &uid, const PointRecord &point, QString *error);
    bool finishRun(const QString &uid, const RunEnd &end, QString *error);
    void report(const QString &reason);

    std::unique_ptr<RecordsDatabase> m_database;
    QString m_description;
    QVector<Operation> m_queue;
    QHash<QString, QString> m_journals;
    QTimer m_retry;
    int m_reportedPending = 0;
    QString m_reportedReason;
    std::mutex m_postedMutex;
    std::vector<std::function<void()>> m_posted;
};
