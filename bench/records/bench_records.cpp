// The lab records at the size of a large lab: a register of 10,000 sensors
// and 100,000 runs, one sensor with 200 of them. Measured: opening the
// choose dialog, each keystroke of its filter (query, list and repaint), a
// sensor's history of 200 runs read and shown with its plot, and what
// recording costs a point: the GUI thread only hands the point over; the
// commit runs on the recorder's thread while the calibrator measures the
// next point (at least 100 ms). The first of each measurement is printed apart
// from the median. --short repeats each measurement fewer times.

#include "records/HistoryDialog.h"
#include "records/RecordsDatabase.h"
#include "records/RunHistory.h"
#include "records/RunRecorder.h"
#include "records/SensorDialog.h"
#include "records/SensorRegister.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {
constexpr int sensorCount = 10000;
constexpr int runsPerSensor = 10;
constexpr int historyRuns = 200;
constexpr int historySensor = 1234;
const QStringList types = {"Acceleration", "Velocity", "Displacement"};
const QStringList inputs = {"PE", "IEPE", "Voltage", "4-20mA"};

double threadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Wall time, and the processor time of the GUI thread, which a machine busy
// with other work inflates less.
class Clock
{
public:
    Clock() { start(); }
    void start()
    {
        m_wall.start();
        m_processor = threadMilliseconds();
    }
    double wall() const { return m_wall.nsecsElapsed() / 1e6; }
    double processor() const { return threadMilliseconds() - m_processor; }

private:
    QElapsedTimer m_wall;
    double m_processor = 0;
};

struct Figures
{
    QVector<double> wall;
    QVector<double> processor;

    void add(const Clock &clock)
    {
        wall << clock.wall();
        processor << clock.processor();
    }
    // The first measurement is printed apart: it pays for what the process
    // does once (first layouts, caches).
    void print(const char *name)
    {
        const double first = wall.first();
        std::sort(wall.begin(), wall.end());
        std::sort(processor.begin(), processor.end());
        std::printf("%-48s %6d %9.2f %9.2f %9.2f %9.2f %9.2f\n", name, int(wall.size()), first,
                    wall.at(wall.size() / 2), wall.last(), processor.at(processor.size() / 2),
                    processor.last());
    }
};

bool execAll(QSqlQuery &query, const QString &sql, const QVector<QVariantList> &rows)
{
    if (!query.prepare(sql))
        return false;
    for (const QVariantList &row : rows) {
        for (const QVariant &value : row)
            query.addBindValue(value);
        if (!query.exec())
            return false;
    }
    return true;
}

// The register and the runs, written in one transaction.
bool fill(RecordsDatabase &records)
{
    QString error;
    if (!records.beginWrite(&error))
        return false;
    QVector<QVariantList> sensors;
    for (int index = 1; index <= sensorCount; ++index)
        sensors << QVariantList{QString("CA-YD-%1").arg(100 + index % 40),
                                QString("SN-%1").arg(index, 5, 10, QChar('0')),
                                index % 3,
                                index % 4,
                                1.0,
                                5.0,
                                5.0,
                                160.0};
    QVector<QVariantList> runs;
    const QDateTime first(QDate(2015, 1, 1), QTime(8, 0));
    for (int sensor = 1; sensor <= sensorCount; ++sensor) {
        const int count = sensor == historySensor ? historyRuns : runsPerSensor;
        for (int run = 0; run < count; ++run)
            runs << QVariantList{
                QString("%1-%2").arg(sensor).arg(run),
                "bench",
                "Results/x.csv",
                first.addDays(run * 7 + sensor % 7).toUTC().toString(Qt::ISODateWithMs),
                sensor,
                0,
                0,
                "finished",
                160.0,
                1.0 + 0.0001 * run,
                "pass"};
    }
    QSqlQuery query = records.query();
    const bool ok =
        execAll(query,
                "INSERT INTO sensors (model, serial, sensor_type, input_type, nominal, "
                "sensitivity_tolerance, response_tolerance, reference_frequency) "
                "VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
                sensors) &&
        execAll(query,
                "INSERT INTO runs (uid, station, journal, started, sensor_id, sensor_type, "
                "input_type, outcome, reference_frequency, reference_sensitivity, verdict) "
                "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                runs);
    query.finish();
    return ok && records.commit(&error);
}

void measureDialog(SensorRegister &sensors, int repeats)
{
    Figures open;
    Figures keystrokes;
    const QString typed = "sn-0123";
    for (int repeat = 0; repeat < repeats; ++repeat) {
        Clock clock;
        SensorDialog dialog(sensors, types, inputs);
        dialog.show();
        QApplication::processEvents();
        open.add(clock);
        for (int length = 1; length <= typed.size(); ++length) {
            clock.start();
            dialog.setFilter(typed.left(length));
            QApplication::processEvents();
            keystrokes.add(clock);
        }
    }
    open.print("choose dialog: open, list and show");
    keystrokes.print("choose dialog: one keystroke of the filter");
}

void measureHistory(RecordsDatabase &records, SensorRegister &sensors, int repeats)
{
    QString error;
    const Sensor sensor = sensors.byId(historySensor, &error);
    Figures read;
    Figures shown;
    for (int repeat = 0; repeat < repeats; ++repeat) {
        Clock clock;
        const QVector<RunHistory::Entry> entries = RunHistory(records).forSensor(sensor.id, &error);
        read.add(clock);
        HistoryDialog dialog(sensor, entries, "Pc/ms^-2");
        dialog.show();
        QApplication::processEvents();
        shown.add(clock);
        if (entries.size() != historyRuns)
            std::printf("history holds %d runs, not %d\n", int(entries.size()), historyRuns);
    }
    read.print("history of 200 runs: read");
    shown.print("history of 200 runs: read, table and plot shown");
}

// The GUI thread's part, as the window hands a point over, and the commit
// of the point on the recorder's thread, with the file synced as in use.
void measureRecording(const QString &path, int points)
{
    QThread thread;
    auto *recorder = new RunRecorder(DatabaseSettings::sqliteFile(path));
    recorder->moveToThread(&thread);
    thread.start();
    RunRecord run;
    run.uid = "bench-run";
    run.journal = "Results/bench.csv";
    for (int row = 0; row < points; ++row)
        run.points << PointRecord{
            row, PointRecord::Pending, {QString::number(row + 1), "10.00", "160.00"}};
    recorder->postAndWait([recorder, run] { recorder->beginRun(run); });
    Figures handOver;
    Figures commit;
    for (int row = 0; row < points; ++row) {
        const PointRecord point{row,
                                PointRecord::Measured,
                                {QString::number(row + 1), "10.00", "160.00", "9.99 ms^-2",
                                 "1.001 Pc/ms^-2", "9.94 mms^-1", "9.89 um"},
                                true,
                                800,
                                400};
        Clock clock;
        recorder->post([recorder, point] { recorder->recordPoint("bench-run", point); });
        handOver.add(clock);
        clock.start();
        recorder->postAndWait([] {});
        commit.add(clock);
    }
    handOver.print("recording: GUI thread per point");
    commit.print("recording: commit per point (recorder thread)");
    recorder->postAndWait([recorder] { recorder->shutDown(); });
    thread.quit();
    thread.wait();
    delete recorder;
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const bool quick = application.arguments().contains("--short");
    QTemporaryDir folder(QDir::current().filePath("records-XXXXXX"));
    const QString path = folder.filePath("records.db");
    RecordsDatabase records(DatabaseSettings::sqliteFile(path), "bench");
    QString error;
    QElapsedTimer clock;
    clock.start();
    if (!records.open(&error) || !fill(records)) {
        std::printf("cannot build the records: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("Lab records: %d sensors, %d runs, written in %lld ms\n", sensorCount,
                (sensorCount - 1) * runsPerSensor + historyRuns, clock.elapsed());
    std::printf("%-48s %6s %9s %9s %9s %9s %9s\n", "milliseconds", "count", "first", "median",
                "max", "cpu med", "cpu max");
    // The dialogs open over the program's window, which has loaded the fonts
    // and the style. The history is measured first: after a restart with the
    // sensor restored it can be the first dialog that RT-58 opens.
    MainWindow window;
    window.show();
    QApplication::processEvents();
    SensorRegister sensors(records);
    measureHistory(records, sensors, quick ? 3 : 20);
    measureDialog(sensors, quick ? 3 : 20);
    measureRecording(path, quick ? 20 : 200);
    return 0;
}
