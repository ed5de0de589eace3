// The records subsystem on its own, against real SQLite files: the schema and
// its upgrade, the sensor register, schemes from files and from the
// database, the verdict, and a recorder that falls behind.
#include "OfficeFiles.h"
#include "records/CalibrationResult.h"
#include "records/RecordsDatabase.h"
#include "records/RunRecorder.h"
#include "records/SchemeFile.h"
#include "records/SchemeStore.h"
#include "records/SensorRegister.h"

#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {
struct Point
{
    double frequency;
    PointRecord::State_e state;
    int amplitudeCount;
    int outputCount;
};
} // namespace
Q_DECLARE_METATYPE(QVector<Point>)

namespace {
Sensor makeSensor(const QString &serial, const QString &model = QStringLiteral("CA-YD-103"))
{
    Sensor sensor;
    sensor.model = model;
    sensor.serial = serial;
    return sensor;
}

// A value of the file, read on a connection of the test's own.
QVariant peek(const QString &path, const QString &sql)
{
    RecordsDatabase records(DatabaseSettings::sqliteFile(path), "peek");
    QString error;
    bool ok = false;
    return records.open(&error) ? records.value(sql, {}, &error, &ok) : QVariant();
}

PointRecord pointRecord(int row, const Point &point)
{
    const QString frequency = QString::number(point.frequency, 'f', 2);
    return {row,
            point.state,
            {QString::number(row + 1), "10.00", frequency, "", "", "", ""},
            point.state != PointRecord::Pending,
            point.amplitudeCount,
            point.outputCount};
}
} // namespace

class TestRecords : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void schemaVersions_data();
    void schemaVersions();
    void sensorRegister();
    void sensorFilter_data();
    void sensorFilter();
    void schemeFile_data();
    void schemeFile();
    void storedSchemeCheckedAgain();
    void verdict_data();
    void verdict();
    void passwordFile_data();
    void passwordFile();
    void recorderFallsBehind_data();
    void recorderFallsBehind();

private:
    QString path() const { return m_dir->filePath("records.db"); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<RecordsDatabase> m_database;
};

void TestRecords::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    DatabaseSettings settings = DatabaseSettings::sqliteFile(path());
    settings.busyTimeoutMs = 200;
    m_database = std::make_unique<RecordsDatabase>(settings, "test");
}

void TestRecords::cleanup()
{
    m_database.reset();
    m_dir.reset();
}

// Opening brings any older file to the current version, keeps its rows and
// leaves a newer or damaged file alone.
void TestRecords::schemaVersions_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QString>("error");
    QTest::newRow("new file") << QStringList() << true << "";
    // Version 1 lacked the index of the history.
    QTest::newRow("version 1") << QStringList{"DROP INDEX runs_by_sensor",
                                              "UPDATE schema_info SET version = 1"}
                               << true << "";
    QTest::newRow("newer program")
        << QStringList{"UPDATE schema_info SET version = 3"} << false << "结构版本 3";
    QTest::newRow("damaged") << QStringList{"damaged"} << false << "not a database";
}

void TestRecords::schemaVersions()
{
    QFETCH(QStringList, before);
    QFETCH(bool, opens);
    QFETCH(QString, error);
    if (before == QStringList{"damaged"}) {
        OfficeFiles::write(path(), QByteArray(4096, 'x'));
    } else if (!before.isEmpty()) {
        RecordsDatabase old(DatabaseSettings::sqliteFile(path()), "old");
        QString error;
        Sensor sensor = makeSensor("SN-OLD");
        QVERIFY(old.open(&error) && SensorRegister(old).add(&sensor, &error));
        for (const QString &statement : before)
            QVERIFY2(old.exec(statement, {}, &error), qPrintable(error));
    }
    QString reason;
    QCOMPARE(m_database->open(&reason), opens);
    QVERIFY2(reason.contains(error), qPrintable(reason));
    if (!opens)
        return;
    QCOMPARE(peek(path(), "SELECT version FROM schema_info").toInt(),
             RecordsDatabase::schemaVersion);
    QVERIFY(peek(path(), "SELECT name FROM sqlite_master WHERE name = 'runs_by_sensor'").isValid());
    QCOMPARE(peek(path(), "SELECT COUNT(*) FROM sensors").toInt(), before.isEmpty() ? 0 : 1);
}

// A serial number is registered once, whatever the blanks around it; an
// edit cannot take another sensor's number; a retired sensor is not listed.
void TestRecords::sensorRegister()
{
    QString error;
    QVERIFY(m_database->open(&error));
    SensorRegister sensors(*m_database);
    Sensor first = makeSensor("SN-001");
    QVERIFY2(sensors.add(&first, &error), qPrintable(error));
    QVERIFY(first.isValid());
    Sensor twin = makeSensor(" SN-001 ", "Other");
    QVERIFY(!sensors.add(&twin, &error));
    QCOMPARE(error, QString("序列号“SN-001”已经登记过，不能重复登记"));
    Sensor second = makeSensor("SN-002");
    QVERIFY(sensors.add(&second, &error));
    second.serial = "SN-001";
    QVERIFY(!sensors.update(second, &error));
    QVERIFY(error.contains("已经登记过"));
    QVERIFY(sensors.retire(first.id, &error));
    QCOMPARE(sensors.find("", 10, &error).size(), 1);
    QCOMPARE(sensors.bySerial("SN-001", &error).retired, true);
}

void TestRecords::sensorFilter_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("serials");
    QTest::newRow("all") << "" << QStringList{"A%2", "AX1", "A_1", "B-77"};
    QTest::newRow("serial part") << "x1" << QStringList{"AX1"};
    QTest::newRow("model, any case") << "piezo" << QStringList{"B-77"};
    QTest::newRow("underscore literal") << "_" << QStringList{"A_1"};
    QTest::newRow("percent literal") << "%" << QStringList{"A%2"};
    QTest::newRow("nothing") << "zz" << QStringList{};
}

void TestRecords::sensorFilter()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, serials);
    QString error;
    QVERIFY(m_database->open(&error));
    SensorRegister sensors(*m_database);
    for (Sensor sensor :
         {makeSensor("AX1"), makeSensor("A_1"), makeSensor("A%2"), makeSensor("B-77", "Piezo-5")})
        QVERIFY(sensors.add(&sensor, &error));
    QStringList found;
    for (const Sensor &sensor : sensors.find(filter, 10, &error))
        found << sensor.serial;
    QCOMPARE(found, serials);
}

// A file is taken whole or refused with the line and the reason.
void TestRecords::schemeFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("sensorType");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("as written") << QByteArray("\xEF\xBB\xBF幅值,频率\r\n10,160\r\n5.5,1000\r\n")
                                << 0 << "10.00/160.00 5.50/1000.00";
    QTest::newRow("no header, blank lines")
        << QByteArray("\n10,160\n\n 2 , 80 \n") << 0 << "10.00/160.00 2.00/80.00";
    QTest::newRow("bad third line") << QByteArray("幅值,频率\n10,160\n60,160\n10,1000\n") << 0
                                    << "第 3 行：Amplitude must be between 0 and 50";
    QTest::newRow("sign not dropped")
        << QByteArray("10,160\n-5,160\n") << 0 << "第 2 行：“-5”不是数字";
    QTest::newRow("three values") << QByteArray("10,160,3\n") << 0
                                  << "第 1 行：需要两个值，幅值和频率，以逗号分隔";
    QTest::newRow("limit of velocity")
        << QByteArray("10,160\n") << 1 << "第 1 行：Frequency must be between 10 and 150";
    QTest::newRow("header only") << QByteArray("幅值,频率\r\n") << 0 << "方案中没有测试点";
}

void TestRecords::schemeFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, sensorType);
    QFETCH(QString, outcome);
    const QString file = m_dir->filePath("scheme.csv");
    OfficeFiles::write(file, bytes);
    Scheme scheme;
    QString error;
    if (!SchemeFile::read(file, sensorType, &scheme, &error)) {
        QCOMPARE(error, outcome);
        QVERIFY(scheme.isEmpty());
        return;
    }
    QStringList points;
    for (const SchemePoint &point : scheme)
        points << point.amplitude + "/" + point.frequency;
    QCOMPARE(points.join(' '), outcome);
    const QString copy = m_dir->filePath("copy.csv");
    QVERIFY(SchemeFile::write(copy, scheme, &error));
    Scheme again;
    QVERIFY(SchemeFile::read(copy, sensorType, &again, &error));
    QCOMPARE(again.size(), scheme.size());
}

// A stored scheme that the sensor type of the moment does not allow is
// refused whole; saving under a used name replaces the scheme.
void TestRecords::storedSchemeCheckedAgain()
{
    QString error;
    QVERIFY(m_database->open(&error));
    SchemeStore store(*m_database);
    QVERIFY(store.save("wide", {{"10.00", "100.00"}, {"10.00", "1000.00"}}, &error) > 0);
    Scheme scheme;
    QVERIFY(!store.load("wide", 1, &scheme, &error));
    QCOMPARE(error, QString("第 2 行：Frequency must be between 10 and 150"));
    QVERIFY(store.save("wide", {{"5.00", "80.00"}}, &error) > 0);
    QVERIFY(store.load("wide", 1, &scheme, &error));
    QCOMPARE(scheme.size(), 1);
    QCOMPARE(store.names(&error), QStringList{"wide"});
}

// Worked by hand for an acceleration sensor of 1.000 Pc/ms^-2, ±5 % on both
// tolerances, reference at 160 Hz: 800 counts are 10 ms^-2, and an output of
// 400 counts is 400 x 0.025 / 10 = 1.000.
void TestRecords::verdict_data()
{
    QTest::addColumn<QVector<Point>>("points");
    QTest::addColumn<int>("inputType");
    QTest::addColumn<int>("verdict");
    QTest::addColumn<QString>("deviations");
    const auto ok = PointRecord::Measured;
    const auto failed = PointRecord::Failed;
    QTest::newRow("pass") << QVector<Point>{{160, ok, 800, 400}, {1000, ok, 800, 410}} << 0
                          << int(CalibrationResult::Pass) << "+0.00 %|+2.50 %";
    QTest::newRow("pass at the edge") << QVector<Point>{{160, ok, 800, 400}, {80, ok, 800, 420}}
                                      << 0 << int(CalibrationResult::Pass) << "+0.00 %|+5.00 %";
    QTest::newRow("point out") << QVector<Point>{{160, ok, 800, 400}, {1000, ok, 800, 380}} << 0
                               << int(CalibrationResult::Fail) << "+0.00 %|-5.00 %";
    QTest::newRow("reference against nominal")
        << QVector<Point>{{160, ok, 800, 440}, {1000, ok, 800, 440}} << 0
        << int(CalibrationResult::Fail) << "+0.00 %|+0.00 %";
    QTest::newRow("failed point") << QVector<Point>{{160, ok, 800, 400}, {1000, failed, 0, 0}} << 0
                                  << int(CalibrationResult::Incomplete) << "+0.00 %|";
    QTest::newRow("stopped, one out") << QVector<Point>{{160, ok, 800, 400},
                                                        {500, ok, 800, 480},
                                                        {1000, PointRecord::Pending, 0, 0}}
                                      << 0 << int(CalibrationResult::Fail) << "+0.00 %|+20.00 %|";
    QTest::newRow("no reference in scheme")
        << QVector<Point>{{100, ok, 800, 400}} << 0 << int(CalibrationResult::NoReference) << "";
    QTest::newRow("reference failed, second try")
        << QVector<Point>{{160, failed, 800, 0}, {160, ok, 800, 400}} << 0
        << int(CalibrationResult::Incomplete) << "|+0.00 %";
    QTest::newRow("other input type")
        << QVector<Point>{{160, ok, 800, 400}} << 1 << int(CalibrationResult::TypeMismatch) << "";
}

void TestRecords::verdict()
{
    QFETCH(QVector<Point>, points);
    QFETCH(int, inputType);
    QFETCH(int, verdict);
    QFETCH(QString, deviations);
    Sensor sensor = makeSensor("SN-1");
    sensor.id = 1;
    QVector<PointRecord> records;
    for (const Point &point : points)
        records << pointRecord(records.size(), point);
    const CalibrationResult result = CalibrationResult::evaluate(sensor, 0, inputType, records);
    QCOMPARE(int(result.verdict()), verdict);
    QStringList texts;
    for (int row = 0; row < result.rowCount() && result.hasReference(); ++row)
        texts << result.deviationText(row);
    QCOMPARE(texts.join('|'), deviations);
    QCOMPARE(CalibrationResult::fromCode(result.code()), result.verdict());
}

void TestRecords::passwordFile_data()
{
    QTest::addColumn<int>("permissions");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("owner only") << 0600 << true;
    QTest::newRow("group reads") << 0640 << false;
}

void TestRecords::passwordFile()
{
    QFETCH(int, permissions);
    QFETCH(bool, accepted);
    DatabaseSettings settings;
    settings.passwordFile = m_dir->filePath("password");
    OfficeFiles::write(settings.passwordFile, "s3cret pass\n");
    QVERIFY(::chmod(QFile::encodeName(settings.passwordFile).constData(), permissions) == 0);
    QString password;
    QString error;
    QCOMPARE(settings.readPassword(&password, &error), accepted);
    QCOMPARE(password, accepted ? QString("s3cret pass") : QString());
    QVERIFY(!error.contains("s3cret"));
}

// A copy holding the write lock, a full disk (a file-size limit), or a
// damaged file makes the recorder fall behind. Once the lock is gone or
// there is room again the retry writes everything, in order; what a damaged
// file never took is named by its journal at the end.
void TestRecords::recorderFallsBehind_data()
{
    QTest::addColumn<QString>("breakage");
    QTest::addColumn<QString>("reason");
    QTest::newRow("locked, then free") << "locked"
                                       << "locked";
    QTest::newRow("disk full, then room") << "full"
                                          << "disk I/O error";
    QTest::newRow("damaged") << "damaged"
                             << "not a database";
}

void TestRecords::recorderFallsBehind()
{
    QFETCH(QString, breakage);
    QFETCH(QString, reason);
    QString error;
    if (breakage == "damaged")
        OfficeFiles::write(path(), QByteArray(4096, 'x'));
    else
        QVERIFY(m_database->open(&error));
    if (breakage == "locked")
        QVERIFY(m_database->beginWrite(&error));
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit full{0, RLIM_INFINITY}, unlimited{RLIM_INFINITY, RLIM_INFINITY};
    if (breakage == "full")
        setrlimit(RLIMIT_FSIZE, &full);
    DatabaseSettings settings = DatabaseSettings::sqliteFile(path());
    settings.busyTimeoutMs = 100;
    RunRecorder recorder(settings);
    QSignalSpy backlog(&recorder, &RunRecorder::backlogChanged);
    RunRecord run;
    run.uid = "run-1";
    run.journal = "Results/2024-05-01_13-45-09.csv";
    run.points = {pointRecord(0, {160, PointRecord::Pending, 0, 0})};
    recorder.beginRun(run);
    recorder.recordPoint(run.uid, pointRecord(0, {160, PointRecord::Measured, 800, 400}));
    setrlimit(RLIMIT_FSIZE, &unlimited);
    QCOMPARE(recorder.pending(), 2);
    QVERIFY2(backlog.last().at(1).toString().contains(reason),
             qPrintable(backlog.last().at(1).toString()));
    if (breakage == "damaged") {
        QCOMPARE(recorder.shutDown(), QStringList{run.journal});
        return;
    }
    if (breakage == "locked")
        QVERIFY(m_database->commit(&error));
    QTRY_COMPARE_WITH_TIMEOUT(recorder.pending(), 0, 5000);
    QCOMPARE(backlog.last().at(0).toInt(), 0);
    QCOMPARE(peek(path(), "SELECT output_count FROM run_points").toInt(), 400);
}

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
