#include "records/RunHistory.h"

#include "records/RecordsDatabase.h"

#include <QSqlQuery>
#include <QVariant>

namespace {
QDateTime timeFrom(const QVariant &value)
{
    return QDateTime::fromString(value.toString(), Qt::ISODateWithMs).toLocalTime();
}

double numberOrNan(const QVariant &value)
{
    return value.isNull() ? NAN : value.toDouble();
}
} // namespace

QVector<RunHistory::Entry> RunHistory::forSensor(qint64 sensorId, QString *error) const
{
    QVector<Entry> entries;
    QSqlQuery query = m_database.query();
    query.setForwardOnly(true);
    if (!m_database.exec(query,
                         QStringLiteral("SELECT id, started, outcome, reference_sensitivity, "
                                        "verdict FROM runs WHERE sensor_id = ? "
                                        "ORDER BY started, id"),
                         {sensorId}, error))
        return entries;
    double previous = NAN;
    while (query.next()) {
        Entry entry;
        entry.runId = query.value(0).toLongLong();
        entry.started = timeFrom(query.value(1));
        entry.outcome = query.value(2).toString();
        entry.reference = numberOrNan(query.value(3));
        entry.verdict = query.value(4).toString();
        if (!std::isnan(entry.reference)) {
            if (!std::isnan(previous))
                entry.change = (entry.reference - previous) / previous * 100;
            previous = entry.reference;
        }
        entries << entry;
    }
    return entries;
}

bool RunHistory::load(qint64 runId, RunRecord *run, QString *error) const
{
    QSqlQuery query = m_database.query();
    if (!m_database.exec(query,
                         QStringLiteral("SELECT uid, station, journal, started, sensor_id, "
                                        "sensor_type, input_type FROM runs WHERE id = ?"),
                         {runId}, error))
        return false;
    if (!query.next()) {
        *error = QStringLiteral("记录中没有这次测试");
        return false;
    }
    run->uid = query.value(0).toString();
    run->station = query.value(1).toString();
    run->journal = query.value(2).toString();
    run->started = timeFrom(query.value(3));
    run->sensorId = query.value(4).toLongLong();
    run->sensorType = query.value(5).toInt();
    run->inputType = query.value(6).toInt();
    return loadPoints(runId, run, error);
}

bool RunHistory::loadPoints(qint64 runId, RunRecord *run, QString *error) const
{
    QSqlQuery query = m_database.query();
    if (!m_database.exec(query,
                         QStringLiteral("SELECT row_index, state, point_order, amplitude, "
                                        "frequency, control_amplitude, sensitivity, "
                                        "derived_first, derived_second, amplitude_count, "
                                        "output_count FROM run_points WHERE run_id = ? "
                                        "ORDER BY row_index"),
                         {runId}, error))
        return false;
    run->points.clear();
    while (query.next()) {
        PointRecord point;
        point.row = query.value(0).toInt();
        point.state = PointRecord::State_e(query.value(1).toInt());
        for (int column = 2; column <= 8; ++column)
            point.cells << query.value(column).toString();
        point.hasCounts = !query.value(9).isNull();
        point.amplitudeCount = query.value(9).toInt();
        point.outputCount = query.value(10).toInt();
        run->points << point;
    }
    return true;
}
