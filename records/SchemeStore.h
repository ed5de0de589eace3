#pragma once

#include "records/SchemePoint.h"

#include <QString>
#include <QStringList>

class RecordsDatabase;

// Named schemes kept in the records. A stored scheme is checked again when
// it is loaded, against the sensor type of the moment, and taken whole or
// not at all.
class SchemeStore
{
public:
    explicit SchemeStore(RecordsDatabase &database) : m_database(database) {}

    QStringList names(QString *error) const;
    // The name of the scheme with this id; empty when there is none.
    QString nameOf(qint64 id, QString *error) const;
    // Saves the scheme under its name, replacing one of that name; gives its
    // id, 0 on failure.
    qint64 save(const QString &name, const Scheme &scheme, QString *error);
    bool load(const QString &name, int sensorType, Scheme *scheme, QString *error) const;

private:
    RecordsDatabase &m_database;
};
