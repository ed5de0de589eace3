#include "records/RecordsDatabase.h"

#include <QSqlError>
#include <QStringList>

namespace {
// Held while a copy creates or upgrades the schema on the server.
constexpr int schemaLockKey = 58058;

// The statements of each upgrade step, from version n - 1 to n. "%ID" is the
// dialect's auto-numbered key.
const QStringList &upgradeStep(int version)
{
    static const QList<QStringList> steps = {
        {
            "CREATE TABLE schemes (id %ID, name TEXT NOT NULL UNIQUE, saved TEXT NOT NULL)",
            "CREATE TABLE scheme_points (scheme_id BIGINT NOT NULL REFERENCES schemes(id) "
            "ON DELETE CASCADE, position INTEGER NOT NULL, amplitude TEXT NOT NULL, "
            "frequency TEXT NOT NULL, PRIMARY KEY (scheme_id, position))",
            "CREATE TABLE sensors (id %ID, model TEXT NOT NULL, serial TEXT NOT NULL UNIQUE, "
            "sensor_type INTEGER NOT NULL, input_type INTEGER NOT NULL, "
            "nominal DOUBLE PRECISION NOT NULL, sensitivity_tolerance DOUBLE PRECISION NOT NULL, "
            "response_tolerance DOUBLE PRECISION NOT NULL, "
            "reference_frequency DOUBLE PRECISION NOT NULL, notes TEXT NOT NULL DEFAULT '', "
            "retired INTEGER NOT NULL DEFAULT 0, "
            "default_scheme_id BIGINT REFERENCES schemes(id) ON DELETE SET NULL)",
            "CREATE TABLE runs (id %ID, uid TEXT NOT NULL UNIQUE, station TEXT NOT NULL, "
            "journal TEXT NOT NULL, started TEXT NOT NULL, ended TEXT, outcome TEXT, "
            "sensor_id BIGINT REFERENCES sensors(id), sensor_type INTEGER NOT NULL, "
            "input_type INTEGER NOT NULL, reference_frequency DOUBLE PRECISION, "
            "reference_sensitivity DOUBLE PRECISION, verdict TEXT)",
            "CREATE TABLE run_points (run_id BIGINT NOT NULL REFERENCES runs(id) "
            "ON DELETE CASCADE, row_index INTEGER NOT NULL, state INTEGER NOT NULL, "
            "point_order TEXT NOT NULL, amplitude TEXT NOT NULL, frequency TEXT NOT NULL, "
            "control_amplitude TEXT NOT NULL DEFAULT '', sensitivity TEXT NOT NULL DEFAULT '', "
            "derived_first TEXT NOT NULL DEFAULT '', derived_second TEXT NOT NULL DEFAULT '', "
            "amplitude_count INTEGER, output_count INTEGER, PRIMARY KEY (run_id, row_index))",
        },
        // The history of a sensor is read by sensor and date.
        {"CREATE INDEX runs_by_sensor ON runs (sensor_id, started)"},
    };
    return steps.at(version - 1);
}

// Qt binds a null string as SQL NULL; a text that is merely empty is stored
// as one. Only an invalid value stands for NULL.
QVariant boundValue(const QVariant &value)
{
    if (value.type() == QVariant::String && value.isNull())
        return QVariant(QStringLiteral(""));
    return value;
}

QString sqlError(const QSqlError &error)
{
    const QString text = error.text().trimmed();
    return text.isEmpty() ? QStringLiteral("unknown database error") : text;
}
} // namespace

RecordsDatabase::RecordsDatabase(const DatabaseSettings &settings, const QString &connectionName)
    : m_settings(settings), m_connectionName(connectionName)
{}

RecordsDatabase::~RecordsDatabase()
{
    close();
    QSqlDatabase::removeDatabase(m_connectionName);
}

bool RecordsDatabase::open(QString *error)
{
    close();
    m_open = openConnection(error) &&
             (m_settings.driver != DatabaseSettings::Sqlite || configureSqlite(error)) &&
             upgradeSchema(error);
    if (!m_open)
        close();
    return m_open;
}

void RecordsDatabase::close()
{
    m_open = false;
    if (QSqlDatabase::contains(m_connectionName))
        QSqlDatabase::database(m_connectionName, false).close();
}

bool RecordsDatabase::openConnection(QString *error)
{
    const bool sqlite = m_settings.driver == DatabaseSettings::Sqlite;
    QSqlDatabase db =
        QSqlDatabase::contains(m_connectionName)
            ? QSqlDatabase::database(m_connectionName, false)
            : QSqlDatabase::addDatabase(sqlite ? "QSQLITE" : "QPSQL", m_connectionName);
    if (!db.isValid()) {
        *error = QStringLiteral("数据库驱动不可用：%1").arg(sqlite ? "QSQLITE" : "QPSQL");
        return false;
    }
    if (sqlite) {
        db.setDatabaseName(m_settings.file);
        db.setConnectOptions(
            QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(m_settings.busyTimeoutMs));
    } else {
        QString password;
        if (!m_settings.readPassword(&password, error))
            return false;
        db.setHostName(m_settings.host);
        db.setPort(m_settings.port);
        db.setDatabaseName(m_settings.database);
        db.setUserName(m_settings.user);
        db.setPassword(password);
        db.setConnectOptions(
            QStringLiteral("connect_timeout=%1").arg(m_settings.connectTimeoutSeconds));
    }
    if (!db.open()) {
        *error = sqlError(db.lastError());
        return false;
    }
    // The server's notices (a table that exists already) are not news.
    return sqlite || exec(QStringLiteral("SET client_min_messages TO warning"), {}, error);
}

// Foreign keys and the journal mode are set outside any transaction; a
// damaged file fails here already.
bool RecordsDatabase::configureSqlite(QString *error)
{
    return exec(QStringLiteral("PRAGMA foreign_keys = ON"), {}, error) &&
           exec(QStringLiteral("PRAGMA journal_mode = WAL"), {}, error) &&
           exec(QStringLiteral("PRAGMA synchronous = FULL"), {}, error);
}

// A database written by a newer program is left as it is.
bool RecordsDatabase::upgradeSchema(QString *error)
{
    if (!beginWrite(error))
        return false;
    bool ok = m_settings.driver == DatabaseSettings::Sqlite ||
              exec(QStringLiteral("SELECT pg_advisory_xact_lock(?)"), {schemaLockKey}, error);
    ok = ok && exec(QStringLiteral("CREATE TABLE IF NOT EXISTS schema_info "
                                   "(version INTEGER NOT NULL)"),
                    {}, error);
    const QVariant stored =
        ok ? value(QStringLiteral("SELECT version FROM schema_info"), {}, error, &ok) : QVariant();
    const int version = stored.toInt();
    if (ok && version > schemaVersion) {
        *error = QStringLiteral("数据库的结构版本 %1 比本程序认识的 %2 新，请使用新版程序")
                     .arg(version)
                     .arg(schemaVersion);
        ok = false;
    }
    for (int step = version + 1; ok && step <= schemaVersion; ++step)
        ok = applyStep(step, error);
    if (ok && version < schemaVersion)
        ok = stored.isNull() ? exec(QStringLiteral("INSERT INTO schema_info (version) VALUES (?)"),
                                    {schemaVersion}, error)
                             : exec(QStringLiteral("UPDATE schema_info SET version = ?"),
                                    {schemaVersion}, error);
    if (!ok) {
        rollback();
        return false;
    }
    return commit(error);
}

bool RecordsDatabase::applyStep(int version, QString *error)
{
    const QString key = m_settings.driver == DatabaseSettings::Sqlite
                            ? QStringLiteral("INTEGER PRIMARY KEY")
                            : QStringLiteral("BIGSERIAL PRIMARY KEY");
    for (QString statement : upgradeStep(version)) {
        if (!exec(statement.replace(QLatin1String("%ID"), key), {}, error))
            return false;
    }
    return true;
}

bool RecordsDatabase::beginWrite(QString *error)
{
    return exec(m_settings.driver == DatabaseSettings::Sqlite ? QStringLiteral("BEGIN IMMEDIATE")
                                                              : QStringLiteral("BEGIN"),
                {}, error);
}

bool RecordsDatabase::commit(QString *error)
{
    if (exec(QStringLiteral("COMMIT"), {}, error))
        return true;
    rollback();
    return false;
}

void RecordsDatabase::rollback()
{
    QString ignored;
    exec(QStringLiteral("ROLLBACK"), {}, &ignored);
}

bool RecordsDatabase::exec(QSqlQuery &query, const QString &sql, const QVariantList &values,
                           QString *error) const
{
    // Statements without values run as they stand: the server cannot
    // prepare transaction control or schema statements.
    if (values.isEmpty()) {
        if (!query.exec(sql)) {
            *error = sqlError(query.lastError());
            return false;
        }
        return true;
    }
    if (!query.prepare(sql)) {
        *error = sqlError(query.lastError());
        return false;
    }
    for (const QVariant &value : values)
        query.addBindValue(boundValue(value));
    if (!query.exec()) {
        *error = sqlError(query.lastError());
        return false;
    }
    return true;
}

bool RecordsDatabase::exec(const QString &sql, const QVariantList &values, QString *error) const
{
    QSqlQuery statement = query();
    return exec(statement, sql, values, error);
}

QVariant RecordsDatabase::value(const QString &sql, const QVariantList &values, QString *error,
                                bool *ok) const
{
    QSqlQuery statement = query();
    *ok = exec(statement, sql, values, error);
    return *ok && statement.next() ? statement.value(0) : QVariant();
}

QSqlQuery RecordsDatabase::query() const
{
    return QSqlQuery(QSqlDatabase::database(m_connectionName, false));
}
