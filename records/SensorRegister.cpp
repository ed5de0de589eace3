#include "records/SensorRegister.h"

#include "records/RecordsDatabase.h"
#include "ui/ResultCalculator.h"

#include <QSqlQuery>
#include <QVariant>

namespace {
const QString sensorColumns =
    QStringLiteral("id, model, serial, sensor_type, input_type, nominal, sensitivity_tolerance, "
                   "response_tolerance, reference_frequency, notes, retired, default_scheme_id");

Sensor sensorFrom(const QSqlQuery &query)
{
    Sensor sensor;
    sensor.id = query.value(0).toLongLong();
    sensor.model = query.value(1).toString();
    sensor.serial = query.value(2).toString();
    sensor.sensorType = query.value(3).toInt();
    sensor.inputType = query.value(4).toInt();
    sensor.nominal = query.value(5).toDouble();
    sensor.sensitivityTolerance = query.value(6).toDouble();
    sensor.responseTolerance = query.value(7).toDouble();
    sensor.referenceFrequency = query.value(8).toDouble();
    sensor.notes = query.value(9).toString();
    sensor.retired = query.value(10).toInt() != 0;
    sensor.defaultSchemeId = query.value(11).toLongLong();
    return sensor;
}

QVariantList fieldValues(const Sensor &sensor)
{
    return {sensor.model.trimmed(),
            sensor.serial.trimmed(),
            sensor.sensorType,
            sensor.inputType,
            sensor.nominal,
            sensor.sensitivityTolerance,
            sensor.responseTolerance,
            sensor.referenceFrequency,
            sensor.notes};
}

// A LIKE pattern that matches the text anywhere, its own % and _ taken as
// they stand.
QString containsPattern(const QString &text)
{
    QString escaped = text.toLower();
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    escaped.replace(QLatin1Char('%'), QLatin1String("\\%"));
    escaped.replace(QLatin1Char('_'), QLatin1String("\\_"));
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}
} // namespace

QVector<Sensor> SensorRegister::find(const QString &filter, int limit, QString *error) const
{
    const QString text = filter.trimmed();
    if (text.isEmpty())
        return select(QStringLiteral("retired = 0"), {}, limit, error);
    const QString pattern = containsPattern(text);
    return select(QStringLiteral("retired = 0 AND (LOWER(serial) LIKE ? ESCAPE '\\' "
                                 "OR LOWER(model) LIKE ? ESCAPE '\\')"),
                  {pattern, pattern}, limit, error);
}

Sensor SensorRegister::byId(qint64 id, QString *error) const
{
    return select(QStringLiteral("id = ?"), {id}, 1, error).value(0);
}

Sensor SensorRegister::bySerial(const QString &serial, QString *error) const
{
    return select(QStringLiteral("serial = ?"), {serial.trimmed()}, 1, error).value(0);
}

bool SensorRegister::check(const Sensor &sensor, QString *error)
{
    if (sensor.model.trimmed().isEmpty())
        *error = QStringLiteral("请填写型号");
    else if (sensor.serial.trimmed().isEmpty())
        *error = QStringLiteral("请填写序列号");
    else if (!ResultCalculator::isSensorType(sensor.sensorType))
        *error = QStringLiteral("请选择传感器类型");
    else if (!ResultCalculator::isInputType(sensor.inputType))
        *error = QStringLiteral("请选择输入类型");
    else if (!(sensor.nominal > 0))
        *error = QStringLiteral("标称灵敏度必须大于 0");
    else if (!(sensor.sensitivityTolerance > 0) || !(sensor.responseTolerance > 0))
        *error = QStringLiteral("容差必须大于 0%");
    else if (!(sensor.referenceFrequency > 0))
        *error = QStringLiteral("参考频率必须大于 0 Hz");
    else
        return true;
    return false;
}

// The check before the insert gives the clear message; the unique key
// refuses a serial number that another station registers at the same time.
bool SensorRegister::add(Sensor *sensor, QString *error)
{
    bool ok = false;
    if (!check(*sensor, error) || serialTaken(*sensor, error, &ok) || !ok)
        return false;
    if (!m_database.beginWrite(error))
        return false;
    if (!m_database.exec(QStringLiteral("INSERT INTO sensors (model, serial, sensor_type, "
                                        "input_type, nominal, sensitivity_tolerance, "
                                        "response_tolerance, reference_frequency, notes) "
                                        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                         fieldValues(*sensor), error)) {
        m_database.rollback();
        const QString insertError = *error;
        if (!serialTaken(*sensor, error, &ok))
            *error = insertError;
        return false;
    }
    sensor->id = m_database
                     .value(QStringLiteral("SELECT id FROM sensors WHERE serial = ?"),
                            {sensor->serial.trimmed()}, error, &ok)
                     .toLongLong();
    return ok && m_database.commit(error);
}

bool SensorRegister::update(const Sensor &sensor, QString *error)
{
    bool ok = false;
    if (!check(sensor, error) || serialTaken(sensor, error, &ok) || !ok)
        return false;
    QVariantList values = fieldValues(sensor);
    values << sensor.id;
    return m_database.exec(QStringLiteral("UPDATE sensors SET model = ?, serial = ?, "
                                          "sensor_type = ?, input_type = ?, nominal = ?, "
                                          "sensitivity_tolerance = ?, response_tolerance = ?, "
                                          "reference_frequency = ?, notes = ? WHERE id = ?"),
                           values, error);
}

bool SensorRegister::retire(qint64 id, QString *error)
{
    return m_database.exec(QStringLiteral("UPDATE sensors SET retired = 1 WHERE id = ?"), {id},
                           error);
}

bool SensorRegister::setDefaultScheme(qint64 sensorId, qint64 schemeId, QString *error)
{
    return m_database.exec(QStringLiteral("UPDATE sensors SET default_scheme_id = ? WHERE id = ?"),
                           {schemeId, sensorId}, error);
}

QVector<Sensor> SensorRegister::select(const QString &where, const QVariantList &values, int limit,
                                       QString *error) const
{
    QSqlQuery query = m_database.query();
    query.setForwardOnly(true);
    QVariantList bound = values;
    bound << limit;
    QVector<Sensor> sensors;
    if (!m_database.exec(query,
                         QStringLiteral("SELECT %1 FROM sensors WHERE %2 ORDER BY serial LIMIT ?")
                             .arg(sensorColumns, where),
                         bound, error))
        return sensors;
    while (query.next())
        sensors << sensorFrom(query);
    return sensors;
}

// True, with the message, when another sensor has the serial number.
bool SensorRegister::serialTaken(const Sensor &sensor, QString *error, bool *ok) const
{
    const QVariant other =
        m_database.value(QStringLiteral("SELECT id FROM sensors WHERE serial = ? AND id <> ?"),
                         {sensor.serial.trimmed(), sensor.id}, error, ok);
    if (!*ok || other.isNull())
        return false;
    *error = duplicateSerial(sensor.serial.trimmed());
    return true;
}

QString SensorRegister::duplicateSerial(const QString &serial)
{
    return QStringLiteral("序列号“%1”已经登记过，不能重复登记").arg(serial);
}
