#include "records/RunRecorder.h"

#include "records/RecordsDatabase.h"

#include <QDebug>
#include <QSqlQuery>
#include <QVariant>

namespace {
constexpr int retryIntervalMs = 2000;

QString timeText(const QDateTime &time)
{
    return time.toUTC().toString(Qt::ISODateWithMs);
}

// NaN and empty texts are stored as SQL NULL, an invalid value.
QVariant orNull(double value)
{
    return std::isnan(value) ? QVariant(QVariant::Double) : QVariant(value);
}

QVariant orNull(const QString &text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

QVariant countOrNull(const PointRecord &point, int count)
{
    return point.hasCounts ? QVariant(count) : QVariant(QVariant::Int);
}
} // namespace

RunRecorder::RunRecorder(const DatabaseSettings &settings, QObject *parent)
    : QObject(parent),
      m_database(std::make_unique<RecordsDatabase>(
          settings, QStringLiteral("rt58-recorder-%1").arg(quintptr(this), 0, 16))),
      m_description(settings.description()), m_retry(this)
{
    m_retry.setInterval(retryIntervalMs);
    connect(&m_retry, &QTimer::timeout, this, &RunRecorder::flush);
    connect(this, &RunRecorder::workPosted, this, &RunRecorder::takePosted, Qt::QueuedConnection);
    connect(this, &RunRecorder::workAwaited, this, &RunRecorder::takePosted,
            Qt::BlockingQueuedConnection);
}

// The lock orders the members' end after the recorder's thread's last work:
// takePosted ends by finding the list empty under it.
RunRecorder::~RunRecorder()
{
    const std::lock_guard<std::mutex> lock(m_postedMutex);
}

void RunRecorder::post(std::function<void()> work)
{
    keepPosted(std::move(work));
    emit workPosted();
}

void RunRecorder::postAndWait(std::function<void()> work)
{
    keepPosted(std::move(work));
    emit workAwaited();
}

void RunRecorder::keepPosted(std::function<void()> work)
{
    const std::lock_guard<std::mutex> lock(m_postedMutex);
    m_posted.push_back(std::move(work));
}

// Runs on the recorder's thread until nothing is left, work posted meanwhile
// included; a wake-up whose work an earlier one took finds nothing.
void RunRecorder::takePosted()
{
    for (;;) {
        std::vector<std::function<void()>> work;
        {
            const std::lock_guard<std::mutex> lock(m_postedMutex);
            if (m_posted.empty())
                return;
            work.swap(m_posted);
        }
        for (const std::function<void()> &item : work)
            item();
    }
}

void RunRecorder::beginRun(const RunRecord &run)
{
    m_journals.insert(run.uid, run.journal);
    enqueue({Operation::Begin, run.uid, run, {}, {}});
}

void RunRecorder::recordPoint(const QString &uid, const PointRecord &point)
{
    enqueue({Operation::Point, uid, {}, point, {}});
}

void RunRecorder::endRun(const QString &uid, const RunEnd &end)
{
    enqueue({Operation::End, uid, {}, {}, end});
}

QStringList RunRecorder::shutDown()
{
    flush();
    m_retry.stop();
    QStringList missing;
    for (const Operation &operation : qAsConst(m_queue)) {
        const QString journal = m_journals.value(operation.uid);
        if (!missing.contains(journal))
            missing << journal;
    }
    if (!missing.isEmpty())
        qWarning().noquote() << QStringLiteral("以下测试未完整写入数据库，数据保存在运行记录中：%1")
                                    .arg(missing.join(QStringLiteral(", ")));
    // The connection belongs to this thread and ends here.
    m_database.reset();
    return missing;
}

// While the database is away, new operations wait for the next retry.
void RunRecorder::enqueue(const Operation &operation)
{
    m_queue << operation;
    if (!m_retry.isActive())
        flush();
    else
        report(m_reportedReason);
}

// Writes what waits, in order; the first failure closes the connection, so
// that the next try opens it anew, and leaves the rest for the retry.
void RunRecorder::flush()
{
    if (!m_database)
        return;
    while (!m_queue.isEmpty()) {
        QString error;
        const bool opened = m_database->isOpen() || m_database->open(&error);
        if (!opened || !apply(m_queue.first(), &error)) {
            m_database->close();
            m_retry.start();
            report(error);
            return;
        }
        m_queue.removeFirst();
    }
    m_retry.stop();
    report(QString());
}

bool RunRecorder::apply(const Operation &operation, QString *error)
{
    switch (operation.kind) {
    case Operation::Begin:
        return insertRun(operation.run, error);
    case Operation::Point:
        return writePoint(operation.uid, operation.point, error);
    case Operation::End:
        return finishRun(operation.uid, operation.end, error);
    }
    return false;
}

// A run written before (a retry after an uncertain commit) is left as it is.
bool RunRecorder::insertRun(const RunRecord &run, QString *error)
{
    if (!m_database->beginWrite(error))
        return false;
    bool ok = m_database->exec(
        QStringLiteral("INSERT INTO runs (uid, station, journal, started, sensor_id, "
                       "sensor_type, input_type) VALUES (?, ?, ?, ?, ?, ?, ?) "
                       "ON CONFLICT (uid) DO NOTHING"),
        {run.uid, run.station, run.journal, timeText(run.started),
         run.sensorId > 0 ? QVariant(run.sensorId) : QVariant(QVariant::LongLong), run.sensorType,
         run.inputType},
        error);
    const QVariant runId =
        ok ? m_database->value(QStringLiteral("SELECT id FROM runs WHERE uid = ?"), {run.uid},
                               error, &ok)
           : QVariant();
    for (int index = 0; ok && index < run.points.size(); ++index) {
        const PointRecord &point = run.points.at(index);
        ok = m_database->exec(QStringLiteral("INSERT INTO run_points (run_id, row_index, state, "
                                             "point_order, amplitude, frequency) VALUES "
                                             "(?, ?, ?, ?, ?, ?) "
                                             "ON CONFLICT (run_id, row_index) DO NOTHING"),
                              {runId, point.row, int(point.state), point.cells.value(0),
                               point.cells.value(1), point.cells.value(2)},
                              error);
    }
    if (!ok) {
        m_database->rollback();
        return false;
    }
    return m_database->commit(error);
}

// The row exists from the run's start; a row the scheme did not have is
// added.
bool RunRecorder::writePoint(const QString &uid, const PointRecord &point, QString *error)
{
    if (!m_database->beginWrite(error))
        return false;
    const QVariantList results = {int(point.state),
                                  point.cells.value(3),
                                  point.cells.value(4),
                                  point.cells.value(5),
                                  point.cells.value(6),
                                  countOrNull(point, point.amplitudeCount),
                                  countOrNull(point, point.outputCount)};
    QSqlQuery update = m_database->query();
    bool ok = m_database->exec(
        update,
        QStringLiteral("UPDATE run_points SET state = ?, control_amplitude = ?, sensitivity = ?, "
                       "derived_first = ?, derived_second = ?, amplitude_count = ?, "
                       "output_count = ? WHERE run_id = (SELECT id FROM runs WHERE uid = ?) "
                       "AND row_index = ?"),
        results + QVariantList{uid, point.row}, error);
    if (ok && update.numRowsAffected() == 0)
        ok = m_database->exec(
            QStringLiteral(
                "INSERT INTO run_points (state, control_amplitude, sensitivity, "
                "derived_first, derived_second, amplitude_count, output_count, "
                "run_id, row_index, point_order, amplitude, frequency) VALUES "
                "(?, ?, ?, ?, ?, ?, ?, (SELECT id FROM runs WHERE uid = ?), ?, ?, ?, ?)"),
            results + QVariantList{uid, point.row, point.cells.value(0), point.cells.value(1),
                                   point.cells.value(2)},
            error);
    update.finish();
    if (!ok) {
        m_database->rollback();
        return false;
    }
    return m_database->commit(error);
}

bool RunRecorder::finishRun(const QString &uid, const RunEnd &end, QString *error)
{
    return m_database->exec(
        QStringLiteral("UPDATE runs SET ended = ?, outcome = ?, reference_frequency = ?, "
                       "reference_sensitivity = ?, verdict = ? WHERE uid = ?"),
        {timeText(end.ended), end.outcome, orNull(end.referenceFrequency),
         orNull(end.referenceSensitivity), orNull(end.verdict), uid},
        error);
}

// Says once when the records fall behind and once when they have caught up;
// the count goes out at every change.
void RunRecorder::report(const QString &reason)
{
    const int pending = m_queue.size();
    if (pending == m_reportedPending && reason == m_reportedReason)
        return;
    if (pending > 0 && m_reportedPending == 0)
        qWarning().noquote()
            << QStringLiteral("数据库记录滞后（%1）：%2").arg(m_description, reason);
    else if (pending == 0 && m_reportedPending > 0)
        qInfo().noquote() << QStringLiteral("数据库记录已补齐");
    m_reportedPending = pending;
    m_reportedReason = reason;
    emit backlogChanged(pending, reason);
}
