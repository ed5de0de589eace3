// The records shared by a lab's stations: two copies of the program's window,
// in processes of their own, recording at once into one SQLite file and into
// a PostgreSQL server, and the server stopped in the middle of a run. The
// test starts a throwaway server of its own (initdb and pg_ctl in a
// temporary folder).
#include "SimProcess.h"
#include "records/RecordsDatabase.h"

#include <QProcess>
#include <QSettings>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

#include <pwd.h>
#include <unistd.h>

namespace {
const QString password = QStringLiteral("lab-Secret-58");

QString postgresBin()
{
    const QStringList versions =
        QDir("/usr/lib/postgresql").entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    return versions.isEmpty() ? QString() : "/usr/lib/postgresql/" + versions.last() + "/bin";
}

int freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

bool runTool(const QStringList &command, QString *output)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(command.first(), command.mid(1));
    const bool finished = process.waitForFinished(60000);
    *output = QString::fromLocal8Bit(process.readAll());
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}
} // namespace

// A cluster in a temporary folder, listening on 127.0.0.1 only, its one
// user the password-protected owner of the database "postgres"; stopped when
// the test ends. A test run as root runs the server as the user postgres or
// nobody, since the server refuses root.
class PostgresServer
{
public:
    ~PostgresServer()
    {
        QString output;
        if (m_port > 0)
            stop(&output);
    }

    bool create(QString *error)
    {
        if (m_bin.isEmpty() || !m_folder.isValid()) {
            *error = "no PostgreSQL server installed (Debian package postgresql)";
            return false;
        }
        m_port = freePort();
        const QString passwordFile = m_folder.filePath("initdb-password");
        QFile file(passwordFile);
        if (!file.open(QIODevice::WriteOnly) || file.write(password.toUtf8()) < 0)
            return false;
        file.close();
        if (::getuid() == 0)
            m_user = ::getpwnam("postgres") ? "postgres" : "nobody";
        return (m_user.isEmpty() || runTool({"chown", "-R", m_user, m_folder.path()}, error)) &&
               asServerUser({"initdb", "-D", data(), "-U", "rt58", "--pwfile", passwordFile, "-A",
                             "scram-sha-256", "-E", "UTF8", "--locale", "C", "--no-sync"},
                            error) &&
               start(error);
    }

    bool start(QString *error)
    {
        return asServerUser({"pg_ctl", "-D", data(), "-l", m_folder.filePath("server.log"), "-w",
                             "-o",
                             QString("-p %1 -k %2 -c listen_addresses=127.0.0.1 -c fsync=off")
                                 .arg(m_port)
                                 .arg(m_folder.path()),
                             "start"},
                            error);
    }

    bool stop(QString *error)
    {
        return asServerUser({"pg_ctl", "-D", data(), "-m", "fast", "-w", "stop"}, error);
    }

    DatabaseSettings settings(const QString &passwordPath) const
    {
        DatabaseSettings settings;
        settings.driver = DatabaseSettings::Postgres;
        settings.host = "127.0.0.1";
        settings.port = m_port;
        settings.user = "rt58";
        settings.database = "postgres";
        settings.passwordFile = passwordPath;
        return settings;
    }

private:
    QString data() const { return m_folder.filePath("data"); }

    bool asServerUser(QStringList command, QString *output) const
    {
        command[0] = m_bin + "/" + command.first();
        if (!m_user.isEmpty())
            command = QStringList{"runuser", "-u", m_user, "--"} + command;
        return runTool(command, output);
    }

    QTemporaryDir m_folder{QDir::tempPath() + "/rt58-postgres-XXXXXX"};
    QString m_bin = postgresBin();
    QString m_user;
    int m_port = 0;
};

class TestRecordsPostgres : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void stationsRecord_data();
    void stationsRecord();

private:
    DatabaseSettings records(bool server) const;
    QString station(const QString &name, const DatabaseSettings &settings);
    QVariant value(const QString &sql, bool server = true);

    QTemporaryDir m_dir;
    PostgresServer m_server;
    QString m_passwordFile;
    int m_rows = 0;
};

void TestRecordsPostgres::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QString error;
    QVERIFY2(m_server.create(&error), qPrintable(error));
    m_passwordFile = m_dir.filePath("rt58.password");
    QFile file(m_passwordFile);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(password.toUtf8() + "\n");
    file.close();
    QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner));
}

// The test's server, or one SQLite file that the stations share.
DatabaseSettings TestRecordsPostgres::records(bool server) const
{
    return server ? m_server.settings(m_passwordFile)
                  : DatabaseSettings::sqliteFile(m_dir.filePath("shared.db"));
}

// A station's working folder, its config.ini naming the records.
QString TestRecordsPostgres::station(const QString &name, const DatabaseSettings &settings)
{
    const QString folder = m_dir.filePath(name);
    QDir().mkpath(folder);
    QSettings config(folder + "/config.ini", QSettings::IniFormat);
    config.beginGroup("Records");
    const bool server = settings.driver == DatabaseSettings::Postgres;
    config.setValue("server", server ? "postgresql" : "sqlite");
    config.setValue("file", settings.file);
    config.setValue("host", settings.host);
    config.setValue("port", settings.port);
    config.setValue("database", settings.database);
    config.setValue("user", settings.user);
    config.setValue("passwordFile", settings.passwordFile);
    return folder;
}

QVariant TestRecordsPostgres::value(const QString &sql, bool server)
{
    RecordsDatabase records(this->records(server), "check");
    QString error;
    bool ok = false;
    const QVariant result = records.open(&error) ? records.value(sql, {}, &error, &ok) : QVariant();
    if (!ok)
        qWarning().noquote() << error;
    return result;
}

void TestRecordsPostgres::stationsRecord_data()
{
    QTest::addColumn<bool>("server");
    QTest::addColumn<int>("stations");
    QTest::addColumn<bool>("serverStopped");
    QTest::newRow("two stations, one SQLite file") << false << 2 << false;
    QTest::newRow("two stations, the server") << true << 2 << false;
    QTest::newRow("the server stopped mid-run and back") << true << 1 << true;
}

// Two copies create the schema and record their runs at the same time; or
// the server goes away after the second point and comes back a few points
// later, and the run goes on, says once that the records are behind and
// once that they caught up. Nothing is lost, and the password shows nowhere.
void TestRecordsPostgres::stationsRecord()
{
    QFETCH(bool, server);
    QFETCH(int, stations);
    QFETCH(bool, serverStopped);
    const QString row = QString("row%1-").arg(++m_rows);
    SimProcess sims[2];
    QProcess probes[2];
    for (int index = 0; index < stations; ++index) {
        const QString name = row + QString::number(index);
        const QString link = m_dir.filePath(name);
        QVERIFY(sims[index].start(link, {"--delay", serverStopped ? "400" : "100"}));
        probes[index].setProcessChannelMode(QProcess::MergedChannels);
        probes[index].setWorkingDirectory(station(name + "-station", records(server)));
        probes[index].start(RT58_PROBE, {link, "8"});
        QVERIFY(probes[index].waitForStarted());
    }
    const QString measured = "SELECT COUNT(*) FROM run_points p JOIN runs r ON r.id = p.run_id "
                             "WHERE p.state = 1 AND r.journal LIKE '%" +
                             row + "%'";
    if (serverStopped) {
        QTRY_VERIFY_WITH_TIMEOUT(value(measured).toInt() >= 2, 30000);
        QString output;
        QVERIFY2(m_server.stop(&output), qPrintable(output));
        QTest::qWait(1500);
        QVERIFY2(m_server.start(&output), qPrintable(output));
    }
    for (int index = 0; index < stations; ++index) {
        QVERIFY(probes[index].waitForFinished(90000));
        const QString log = QString::fromLocal8Bit(probes[index].readAll());
        QVERIFY2(probes[index].exitCode() == 0, qPrintable(log));
        QVERIFY(!log.contains(password));
        QCOMPARE(log.count("数据库记录滞后"), serverStopped ? 1 : 0);
        QCOMPARE(log.count("数据库记录已补齐"), serverStopped ? 1 : 0);
    }
    QCOMPARE(value(measured, server).toInt(), 8 * stations);
    QCOMPARE(value("SELECT COUNT(*) FROM runs WHERE outcome = 'finished' AND journal LIKE '%" +
                       row + "%'",
                   server)
                 .toInt(),
             stations);
}

QTEST_GUILESS_MAIN(TestRecordsPostgres)
#include "tst_records_postgres.moc"
