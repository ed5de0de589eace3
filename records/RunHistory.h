#pragma once

#include "records/RunRecord.h"

#include <QDateTime>
#include <QString>
#include <QVector>

#include <cmath>

class RecordsDatabase;

// The runs of a sensor, oldest first, and a past run read back whole.
class RunHistory
{
public:
    struct Entry
    {
        qint64 runId = 0;
        QDateTime started;
        QString outcome;
        double reference = NAN;
        // The reference against the last earlier run that had one, in %.
        double change = NAN;
        QString verdict;
    };

    explicit RunHistory(RecordsDatabase &database) : m_database(database) {}

    QVector<Entry> forSensor(qint64 sensorId, QString *error) const;
    bool load(qint64 runId, RunRecord *run, QString *error) const;

private:
    bool loadPoints(qint64 runId, RunRecord *run, QString *error) const;

    RecordsDatabase &m_database;
};
