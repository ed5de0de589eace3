// The records shared by a lab's stations: two copies of the program's window,
// in processes of their own, recording at once into one SQLite file and into
// a PostgreSQL server, and the server stopped in the middle of a run. The
// test starts a throwaway server of its own (initdb and pg_ctl in a
// temporary folder, as the user postgres or nobody when the test runs as
// root, which the server refuses).
#include "SimProcess.h"
#include "records/RecordsDatabase.h"

#include <QProcess>
#include <QSettings>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {
const QString password = QStringLiteral("lab-Secret-58");

QString postgresBin()
{
    const QStringList versions =
        QDir("/usr/lib/postgresql").entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    return versions.isEmpty() ? QString() : "/usr/lib/postgresql/" + versions.last() + "/bin";
}

// A user the server accepts to run as: the test's own, or when it is root
// an unprivileged system user.
QString serverUser()
{
    if (::getuid() != 0)
        return QString();
    QProcess id;
    id.start("id", {"-u", "postgres"});
    id.waitForFinished();
    return id.exitCode() == 0 ? "postgres" : "nobody";
}

int freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

bool runTool(const QStringList &command, QString *output,
             const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(command.first(), command.mid(1));
    const bool finished = process.waitForFinished(60000);
    *output = QString::fromLocal8Bit(process.readAll());
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}
} // namespace

// A cluster in a temporary folder, listening on 127.0.0.1 only, with one
// password-protected user and database; stopped when the test ends.
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
        m_bin = postgresBin();
        m_user = serverUser();
        if (m_bin.isEmpty() || !m_folder.isValid()) {
            *error = "no PostgreSQL server installed (Debian package postgresql)";
            return false;
        }
        m_port = freePort();
        QFile passwordFile(m_folder.filePath("initdb-password"));
        if (!passwordFile.open(QIODevice::WriteOnly) || passwordFile.write(password.toUtf8()) < 0)
            return false;
        passwordFile.close();
        if (!m_user.isEmpty() && !runTool({"chown", "-R", m_user, m_folder.path()}, error))
            return false;
        return asServerUser({m_bin + "/initdb", "-D", data(), "-U", "rt58", "--pwfile",
                             passwordFile.fileName(), "-A", "scram-sha-256", "-E", "UTF8",
                             "--locale", "C", "--no-sync"},
                            error) &&
               start(error) &&
               runTool({m_bin + "/createdb", "-h", "127.0.0.1", "-p", QString::number(m_port), "-U",
                        "rt58", "rt58"},
                       error, withPassword());
    }

    bool start(QString *error)
    {
        return asServerUser({m_bin + "/pg_ctl", "-D", data(), "-l", m_folder.filePath("server.log"),
                             "-w", "-o",
                             QString("-p %1 -k %2 -c listen_addresses=127.0.0.1 -c fsync=off")
                                 .arg(m_port)
                                 .arg(m_folder.path()),
                             "start"},
                            error);
    }

    bool stop(QString *error)
    {
        return asServerUser({m_bin + "/pg_ctl", "-D", data(), "-m", "fast", "-w", "stop"}, error);
    }

    DatabaseSettings settings(const QString &passwordPath) const
    {
        DatabaseSettings settings;
        settings.driver = DatabaseSettings::Postgres;
        settings.host = "127.0.0.1";
        settings.port = m_port;
        settings.user = "rt58";
        settings.database = "rt58";
        settings.passwordFile = passwordPath;
        return settings;
    }

    int port() const { return m_port; }

private:
    QString data() const { return m_folder.filePath("data"); }

    QProcessEnvironment withPassword() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("PGPASSWORD", password);
        return environment;
    }

    bool asServerUser(const QStringList &command, QString *output) const
    {
        return runTool(m_user.isEmpty() ? command
                                        : QStringList{"runuser", "-u", m_user, "--"} + command,
                       output);
    }

    QTemporaryDir m_folder{QDir::tempPath() + "/rt58-postgres-XXXXXX"};
    QString m_bin;
    QString m_user;
    int m_port = 0;
};

class TestRecordsPostgres : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void twoStationsRecordAtOnce_data();
    void twoStationsRecordAtOnce();
    void serverStoppedMidRunAndBack();

private:
    DatabaseSettings records(bool server) const;
    QString station(const QString &name, const DatabaseSettings &settings);
    bool startProbe(QProcess &probe, const QString &folder, const QString &link, int points);
    QVariant value(const QString &sql, bool server = true);

    QTemporaryDir m_dir;
    PostgresServer m_server;
    QString m_passwordFile;
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

bool TestRecordsPostgres::startProbe(QProcess &probe, const QString &folder, const QString &link,
                                     int points)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("RT58_EXTRA_PORTS", link);
    probe.setProcessEnvironment(environment);
    probe.setWorkingDirectory(folder);
    probe.start(RT58_PROBE, {link, QString::number(points)});
    return probe.waitForStarted();
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

void TestRecordsPostgres::twoStationsRecordAtOnce_data()
{
    QTest::addColumn<bool>("server");
    QTest::newRow("one SQLite file") << false;
    QTest::newRow("PostgreSQL server") << true;
}

// Both copies create the schema and record their runs at the same time;
// nothing of either is lost, and the password shows nowhere.
void TestRecordsPostgres::twoStationsRecordAtOnce()
{
    QFETCH(bool, server);
    SimProcess sims[2];
    QProcess probes[2];
    for (int index = 0; index < 2; ++index) {
        const QString link = m_dir.filePath(QString("tty%1").arg(index));
        const QString name = QString("station%1-%2").arg(index).arg(server);
        QVERIFY(sims[index].start(link, {"--delay", "100"}));
        QVERIFY(startProbe(probes[index], station(name, records(server)), link, 5));
    }
    for (QProcess &probe : probes) {
        QVERIFY(probe.waitForFinished(90000));
        const QString output = QString::fromLocal8Bit(probe.readAll());
        QVERIFY2(probe.exitCode() == 0, qPrintable(output));
        QVERIFY(!output.contains(password));
    }
    QCOMPARE(value("SELECT COUNT(*) FROM runs WHERE outcome = 'finished'", server).toInt(), 2);
    QCOMPARE(value("SELECT COUNT(*) FROM run_points WHERE state = 1", server).toInt(), 10);
    QCOMPARE(value("SELECT COUNT(DISTINCT journal) FROM runs", server).toInt(), 2);
}

// The server goes away after the second point and comes back a few points
// later: the run goes on, says once that the records are behind, and ends
// with every point recorded.
void TestRecordsPostgres::serverStoppedMidRunAndBack()
{
    const QString link = m_dir.filePath("tty-stop");
    SimProcess sim;
    QVERIFY(sim.start(link, {"--delay", "400"}));
    QProcess probe;
    probe.setProcessChannelMode(QProcess::MergedChannels);
    QVERIFY(startProbe(probe, station("station-stop", records(true)), link, 8));
    const QString measured = "SELECT COUNT(*) FROM run_points p JOIN runs r ON r.id = p.run_id "
                             "WHERE p.state = 1 AND r.journal LIKE '%station-stop%'";
    QTRY_VERIFY_WITH_TIMEOUT(value(measured).toInt() >= 2, 30000);
    QString output;
    QVERIFY2(m_server.stop(&output), qPrintable(output));
    QTest::qWait(1500);
    QVERIFY2(m_server.start(&output), qPrintable(output));
    QVERIFY(probe.waitForFinished(90000));
    const QString log = QString::fromLocal8Bit(probe.readAll());
    QVERIFY2(probe.exitCode() == 0, qPrintable(log));
    QCOMPARE(log.count("数据库记录滞后"), 1);
    QVERIFY(log.contains("数据库记录已补齐"));
    QVERIFY(!log.contains(password));
    QCOMPARE(value(measured).toInt(), 8);
    QCOMPARE(value("SELECT outcome FROM runs WHERE journal LIKE '%station-stop%'").toString(),
             QString("finished"));
}

QTEST_GUILESS_MAIN(TestRecordsPostgres)
#include "tst_records_postgres.moc"
