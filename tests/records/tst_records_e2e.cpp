// The lab records through the real window against the simulated calibrator:
// a registered sensor chosen, its scheme loaded, its runs judged, a scheme
// file with a bad line refused whole, the sensor's history and a run
// reopened into the certificates; a killed run whose finished points stay
// recorded; records behind while the journal cannot be written either.
#include "ModalAnswerer.h"
#include "OfficeFiles.h"
#include "SimProcess.h"
#include "WorkbenchDriver.h"
#include "app/GlobalState.h"
#include "records/HistoryDialog.h"
#include "records/RecordsDatabase.h"
#include "records/SchemeStore.h"
#include "records/SensorDialog.h"
#include "records/SensorRegister.h"

#include <QAction>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QtCharts/QChartView>
#include <QtCharts/QXYSeries>
#include <QtTest>

#include <functional>

namespace {
const QString serial = QStringLiteral("SN-E2E-1");
const QStringList standardFrequencies = {"80.00", "160.00", "1000.00"};

// Acts on the next modal dialog that the action takes, from a timer, as the
// dialog's own event loop holds the test until it closes.
void whenModal(const std::function<bool(QWidget *)> &action)
{
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && action(modal))
            timer->deleteLater();
    });
    timer->start(10);
}

void trigger(MainWindow &window, const char *action)
{
    window.findChild<QAction *>(QString::fromLatin1(action))->trigger();
}

QString statusText(MainWindow &window, const char *label)
{
    return window.findChild<QLabel *>(QString::fromLatin1(label))->text();
}

// A value of the records file, read on a connection of the test's own.
QVariant peek(const QString &sql)
{
    RecordsDatabase records(DatabaseSettings::sqliteFile("records.db"), "peek");
    QString error;
    bool ok = false;
    return records.open(&error) ? records.value(sql, {}, &error, &ok) : QVariant();
}

} // namespace

class TestRecordsEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void sensorRunsHistoryAndCertificates();
    void killedRunKeepsFinishedPoints();
    void journalAndRecordsBothFailing();

private:
    void chooseSensor(MainWindow &window);
    void exportTo(MainWindow &window, const QString &path);

    QTemporaryDir m_dir;
    std::unique_ptr<QTemporaryDir> m_work;
    QString m_link;
    SimProcess m_sim;
    ModalAnswerer m_answerer{QMessageBox::Yes};
};

// The reports find their templates beside the executable.
void TestRecordsEndToEnd::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_link = m_dir.filePath("ttyRT58");
    qputenv("RT58_EXTRA_PORTS", m_link.toLocal8Bit());
    const QString doc = QCoreApplication::applicationDirPath() + "/doc";
    QDir().mkpath(doc);
    QFile::remove(doc + "/ExportWordBookmark.docx");
    QVERIFY(QFile::copy(qEnvironmentVariable("RT58_BINARY_DIR") + "/doc/ExportWordBookmark.docx",
                        doc + "/ExportWordBookmark.docx"));
}

// Each case works in a folder of its own, with one registered sensor whose
// default scheme is stored.
void TestRecordsEndToEnd::init()
{
    m_work = std::make_unique<QTemporaryDir>();
    QDir::setCurrent(m_work->path());
    m_answerer.clear();
    m_answerer.setAnswer(QMessageBox::Yes);
    RecordsDatabase records(DatabaseSettings::sqliteFile("records.db"), "setup");
    QString error;
    QVERIFY2(records.open(&error), qPrintable(error));
    Sensor sensor;
    sensor.model = "CA-YD-185";
    sensor.serial = serial;
    SensorRegister sensors(records);
    QVERIFY2(sensors.add(&sensor, &error), qPrintable(error));
    const qint64 scheme = SchemeStore(records).save(
        "CA-YD 标准", {{"10.00", "80.00"}, {"10.00", "160.00"}, {"10.00", "1000.00"}}, &error);
    QVERIFY(sensors.setDefaultScheme(sensor.id, scheme, &error));
}

void TestRecordsEndToEnd::cleanup()
{
    m_sim.stop();
    QDir::setCurrent(m_dir.path());
    m_work.reset();
}

void TestRecordsEndToEnd::chooseSensor(MainWindow &window)
{
    whenModal([](QWidget *modal) {
        auto *dialog = qobject_cast<SensorDialog *>(modal);
        if (dialog) {
            dialog->setFilter(serial.mid(3).toLower());
            dialog->findChild<QPushButton *>("chooseButton")->click();
        }
        return dialog != nullptr;
    });
    trigger(window, "actionChooseSensor");
}

void TestRecordsEndToEnd::exportTo(MainWindow &window, const QString &path)
{
    m_answerer.setSaveFileAnswer(path);
    WorkbenchDriver(window).click("exportBtn");
    QTRY_VERIFY(QFile::exists(path));
}

// The calibrator stores Velocity/IEPE; choosing the sensor configures it as
// a choice in the combos would, and its stored scheme is loaded on request.
// Three runs, the later two on a scheme file, are judged and recorded; the
// history lists them with their plot, and the first reopened shows its rows
// again and goes into the certificates.
void TestRecordsEndToEnd::sensorRunsHistoryAndCertificates()
{
    QVERIFY(m_sim.start(m_link, {"--sensor-type", "1", "--input-type", "1"}));
    MainWindow window;
    window.show();
    WorkbenchDriver driver(window);
    QVERIFY(driver.connectTo(m_link));
    chooseSensor(window);
    QTRY_COMPARE(m_sim.receivedFrames().filter(QRegularExpression("^21 43 07 ")).size(), 2);
    QVERIFY(m_sim.receivedFrames().last().startsWith("21 43 07 00 00 "));
    QTRY_VERIFY(configAcked);
    QCOMPARE(driver.columnTexts(2), standardFrequencies);
    QVERIFY(statusText(window, "sensorStatusLabel").contains(serial));

    driver.click("startBtn");
    const QString verdict = statusText(window, "verdictStatusLabel");
    QVERIFY2(verdict.contains("结论：合格") && verdict.contains("Pc/ms^-2（160.00 Hz）"),
             qPrintable(verdict));
    // The recorder writes the run's end on its own thread.
    QTRY_COMPARE(peek("SELECT verdict || ' ' || outcome FROM runs").toString(), "pass finished");
    QCOMPARE(peek("SELECT COUNT(*) FROM run_points WHERE state = 1 AND output_count > 0").toInt(),
             3);
    QCOMPARE(peek("SELECT s.serial FROM runs r JOIN sensors s ON s.id = r.sensor_id").toString(),
             serial);
    const QStringList firstRun = driver.columnTexts(4);

    // A scheme file is taken whole or not at all: one with a bad third line
    // leaves the table as it was, with one message naming the line.
    const QString file = m_work->filePath("scheme.csv");
    OfficeFiles::write(file, "幅值,频率\n10,160\n10,abc\n10,1000\n");
    m_answerer.setSaveFileAnswer(file);
    trigger(window, "actionOpenSchemeFile");
    QVERIFY2(m_answerer.seen().last().contains("第 3 行：“abc”不是数字"),
             qPrintable(m_answerer.seen().last()));
    QCOMPARE(driver.columnTexts(4), firstRun);
    OfficeFiles::write(file, "10,160\n10,1000\n");
    trigger(window, "actionOpenSchemeFile");
    QCOMPARE(driver.columnTexts(0), QStringList({"1", "2"}));
    driver.click("startBtn");
    driver.click("startBtn");
    QCOMPARE(driver.columnTexts(2), QStringList({"160.00", "1000.00"}));

    QStringList history;
    int plotted = 0;
    whenModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<HistoryDialog *>(modal);
        if (!dialog)
            return false;
        auto *table = dialog->findChild<QTableWidget *>("historyTable");
        for (int row = 0; row < table->rowCount(); ++row)
            history << table->item(row, 2)->text() + " " + table->item(row, 3)->text();
        const auto *chart = dialog->findChild<QtCharts::QChartView *>()->chart();
        plotted = static_cast<QtCharts::QXYSeries *>(chart->series().value(0))->count();
        table->selectRow(0);
        dialog->findChild<QPushButton *>("reopenButton")->click();
        return true;
    });
    trigger(window, "actionHistory");
    QCOMPARE(history, QStringList({" 合格", "+0.00 % 合格", "+0.00 % 合格"}));
    QCOMPARE(plotted, 3);
    QCOMPARE(driver.columnTexts(2), standardFrequencies);
    QCOMPARE(driver.columnTexts(4), firstRun);

    exportTo(window, m_work->filePath("certificate.pdf"));
    QProcess pdftotext;
    pdftotext.start("pdftotext", {m_work->filePath("certificate.pdf"), "-"});
    QVERIFY(pdftotext.waitForFinished());
    const QString pdf = QString::fromUtf8(pdftotext.readAllStandardOutput());
    for (const QString &text : {"序列号：" + serial, QString("结论：合格"), QString("偏差"),
                                QString("+0.00 %"), QString("80.00"), firstRun.first()})
        QVERIFY2(pdf.contains(text), qPrintable(text + " missing in:\n" + pdf));
    exportTo(window, m_work->filePath("certificate.docx"));
    const QString document = QString::fromUtf8(
        OfficeFiles::unzip(m_work->filePath("certificate.docx")).value("word/document.xml"));
    QVERIFY(document.contains(serial) && document.contains("CA-YD-185") &&
            document.contains("合格"));
}

// The program is killed during its third point: every point it finished is
// in the records, as in its journal.
void TestRecordsEndToEnd::killedRunKeepsFinishedPoints()
{
    QVERIFY(m_sim.start(m_link, {"--delay", "300"}));
    QProcess probe;
    probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    probe.start(RT58_PROBE, {m_link, "6"});
    QVERIFY(probe.waitForStarted());
    const QString measured = "SELECT COUNT(*) FROM run_points WHERE state = 1";
    QTRY_VERIFY_WITH_TIMEOUT(peek(measured).toInt() >= 2, 20000);
    probe.kill();
    QVERIFY(probe.waitForFinished());

    const int recorded = peek(measured).toInt();
    QVERIFY2(recorded >= 2 && recorded < 6, qPrintable(QString::number(recorded)));
    QCOMPARE(peek("SELECT COUNT(*) FROM run_points").toInt(), 6);
    // The journal may hold one row more, written as the program was killed.
    const QString journal = "Results/" + QDir("Results").entryList({"*.csv"}).value(0);
    const QStringList rows = QString::fromUtf8(OfficeFiles::read(journal)).split("\r\n");
    QCOMPARE(peek("SELECT GROUP_CONCAT(point_order || ',' || amplitude || ',' || frequency || "
                  "',' || control_amplitude || ',' || sensitivity || ',' || derived_first || "
                  "',' || derived_second, '|') FROM (SELECT * FROM run_points WHERE state = 1 "
                  "ORDER BY row_index)")
                 .toString(),
             rows.mid(1, recorded).join('|'));
}

// A disk that holds neither the journal nor the records: the status bar does
// not claim that the journal has what waits.
void TestRecordsEndToEnd::journalAndRecordsBothFailing()
{
    QVERIFY(m_sim.start(m_link));
    OfficeFiles::write("Results", "a file where the folder belongs");
    RecordsDatabase lock(DatabaseSettings::sqliteFile("records.db"), "lock");
    QString error;
    QVERIFY(lock.open(&error) && lock.beginWrite(&error));
    MainWindow window;
    window.show();
    WorkbenchDriver driver(window);
    QVERIFY(driver.connectTo(m_link));
    driver.addPoint("10", "160");
    driver.click("startBtn");
    const auto *backlog = window.findChild<QLabel *>("recordsStatusLabel");
    QTRY_VERIFY(backlog->isVisible());
    QVERIFY2(backlog->text().contains("运行记录也无法写入"), qPrintable(backlog->text()));
    QVERIFY(lock.commit(&error));
    QTRY_VERIFY_WITH_TIMEOUT(!backlog->isVisible(), 15000);
}

QTEST_MAIN(TestRecordsEndToEnd)
#include "tst_records_e2e.moc"
