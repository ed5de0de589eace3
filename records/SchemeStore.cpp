#include "records/SchemeStore.h"

#include "records/RecordsDatabase.h"
#include "records/SchemeCheck.h"

#include <QDateTime>
#include <QSqlQuery>
#include <QVariant>

QStringList SchemeStore::names(QString *error) const
{
    QSqlQuery query = m_database.query();
    QStringList names;
    if (!m_database.exec(query, QStringLiteral("SELECT name FROM schemes ORDER BY name"), {},
                         error))
        return names;
    while (query.next())
        names << query.value(0).toString();
    return names;
}

QString SchemeStore::nameOf(qint64 id, QString *error) const
{
    bool ok = false;
    return m_database
        .value(QStringLiteral("SELECT name FROM schemes WHERE id = ?"), {id}, error, &ok)
        .toString();
}

qint64 SchemeStore::save(const QString &name, const Scheme &scheme, QString *error)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty() || scheme.isEmpty()) {
        *error = trimmed.isEmpty() ? QStringLiteral("请填写方案名称")
                                   : QStringLiteral("方案中没有测试点");
        return 0;
    }
    if (!m_database.beginWrite(error))
        return 0;
    const QString saved = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
    bool ok = m_database.exec(QStringLiteral("INSERT INTO schemes (name, saved) VALUES (?, ?) "
                                             "ON CONFLICT (name) DO UPDATE SET saved = ?"),
                              {trimmed, saved, saved}, error);
    const qint64 id = ok ? m_database
                               .value(QStringLiteral("SELECT id FROM schemes WHERE name = ?"),
                                      {trimmed}, error, &ok)
                               .toLongLong()
                         : 0;
    ok = ok && m_database.exec(QStringLiteral("DELETE FROM scheme_points WHERE scheme_id = ?"),
                               {id}, error);
    for (int position = 0; ok && position < scheme.size(); ++position)
        ok = m_database.exec(
            QStringLiteral("INSERT INTO scheme_points (scheme_id, position, "
                           "amplitude, frequency) VALUES (?, ?, ?, ?)"),
            {id, position, scheme.at(position).amplitude, scheme.at(position).frequency}, error);
    if (!ok) {
        m_database.rollback();
        return 0;
    }
    return m_database.commit(error) ? id : 0;
}

bool SchemeStore::load(const QString &name, int sensorType, Scheme *scheme, QString *error) const
{
    QSqlQuery query = m_database.query();
    if (!m_database.exec(query,
                         QStringLiteral("SELECT p.amplitude, p.frequency FROM scheme_points p "
                                        "JOIN schemes s ON s.id = p.scheme_id WHERE s.name = ? "
                                        "ORDER BY p.position"),
                         {name}, error))
        return false;
    QVector<SchemeCheck::Line> lines;
    while (query.next())
        lines << SchemeCheck::Line{lines.size() + 1, query.value(0).toString(),
                                   query.value(1).toString()};
    return SchemeCheck::accept(lines, sensorType, scheme, error);
}
