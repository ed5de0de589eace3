#pragma once

#include "records/Sensor.h"

#include <QString>
#include <QVariantList>
#include <QVector>

class RecordsDatabase;

// The lab's sensors: looked up by a filter on serial number or model, added,
// edited and retired. A serial number is registered once.
class SensorRegister
{
public:
    explicit SensorRegister(RecordsDatabase &database) : m_database(database) {}

    // Sensors in use whose serial number or model holds the filter, in any
    // case, ordered by serial number; at most limit of them.
    QVector<Sensor> find(const QString &filter, int limit, QString *error) const;
    Sensor byId(qint64 id, QString *error) const;
    Sensor bySerial(const QString &serial, QString *error) const;

    // Checks the sensor's fields; a refusal names the field.
    static bool check(const Sensor &sensor, QString *error);

    // Gives the new sensor its id.
    bool add(Sensor *sensor, QString *error);
    bool update(const Sensor &sensor, QString *error);
    bool retire(qint64 id, QString *error);
    bool setDefaultScheme(qint64 sensorId, qint64 schemeId, QString *error);

private:
    QVector<Sensor> select(const QString &where, const QVariantList &values, int limit,
                           QString *error) const;
    bool serialTaken(const Sensor &sensor, QString *error, bool *ok) const;
    static QString duplicateSerial(const QString &serial);

    RecordsDatabase &m_database;
};
