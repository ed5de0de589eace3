#pragma once

#include "records/DatabaseSettings.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

// One connection to the lab records, SQLite or PostgreSQL, with the same
// schema and queries on both. Opening brings the schema up to the version
// this program writes, one upgrade step at a time, in a transaction that
// other copies wait for. SQLite runs with foreign keys on, a write-ahead log
// and a busy timeout, so that two copies on one machine share the file.
// Every statement takes its values as bound parameters.
class RecordsDatabase
{
public:
    static constexpr int schemaVersion = 2;

    RecordsDatabase(const DatabaseSettings &settings, const QString &connectionName);
    ~RecordsDatabase();
    RecordsDatabase(const RecordsDatabase &) = delete;
    RecordsDatabase &operator=(const RecordsDatabase &) = delete;

    bool open(QString *error);
    bool isOpen() const { return m_open; }
    void close();
    const DatabaseSettings &settings() const { return m_settings; }

    // A short write transaction. SQLite takes its write lock at once, so that
    // a second copy waits on the busy timeout instead of failing midway.
    bool beginWrite(QString *error);
    bool commit(QString *error);
    void rollback();

    // Prepares sql, binds values in order and runs it; the query is left on
    // its result rows.
    bool exec(QSqlQuery &query, const QString &sql, const QVariantList &values,
              QString *error) const;
    bool exec(const QString &sql, const QVariantList &values, QString *error) const;
    // The first column of the first row, or a null value when there is none.
    QVariant value(const QString &sql, const QVariantList &values, QString *error, bool *ok) const;
    QSqlQuery query() const;

private:
    bool openConnection(QString *error);
    bool configureSqlite(QString *error);
    bool upgradeSchema(QString *error);
    bool applyStep(int version, QString *error);

    DatabaseSettings m_settings;
    QString m_connectionName;
    bool m_open = false;
};
