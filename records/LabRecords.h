#pragma once

#include "records/CalibrationResult.h"
#include "records/DatabaseSettings.h"
#include "records/RunRecord.h"
#include "records/SchemePoint.h"
#include "records/Sensor.h"

#include <QObject>
#include <QThread>

#include <memory>

namespace Ui {
class MainWindow;
}

class QLabel;
class QMainWindow;
class RecordsDatabase;
class RunRecorder;
class SensorRegister;

// The lab records behind the window's menu bar and status bar: the chosen
// sensor of the register, stored schemes and scheme files, the recording of
// every run point by point, the verdict of a run on a registered sensor and
// the sensor's history. The window tells it when a run starts, when each
// point ends and when the run is over; nothing of the specified window
// changes while no sensor is chosen.
class LabRecords : public QObject
{
    Q_OBJECT

public:
    LabRecords(QMainWindow *window, Ui::MainWindow *ui,
               const QString &iniPath = QStringLiteral("config.ini"));
    ~LabRecords() override;

    void runStarted(const QString &journalPath);
    // The row's cells are read from the table; counts come with a reply.
    void pointEnded(int row, PointRecord::State_e state, bool withCounts, int amplitudeCount,
                    int outputCount);
    void runFinished();
    // The run's journal cannot be written: what waits for the database is
    // then not all kept elsewhere.
    void journalFailed();
    // After a connect the device's types are shown; the chosen sensor's
    // types then go to the device as a choice in the combos would.
    void deviceTypesAdopted();
    // The table no longer holds the last run's results as judged.
    void schemeChanged();

    Sensor sensor() const { return m_sensor; }
    // Runs whose recording waits for the database.
    int recordsBehind() const { return m_behind; }

signals:
    // A past run's results were put into the table.
    void resultsReopened();

private slots:
    void chooseSensorHandle();
    void clearSensorHandle();
    void saveSchemeHandle();
    void loadSchemeHandle();
    void openSchemeFileHandle();
    void saveSchemeFileHandle();
    void historyHandle();
    void backlogHandle(int pending, const QString &reason);

private:
    RunRecorder *recorder();
    RecordsDatabase *database();
    RecordsDatabase *openDatabase(QString *error);
    void restoreSensor();
    void refreshSensor(SensorRegister &sensors);
    void setSensor(const Sensor &sensor);
    void offerDefaultScheme();
    void applySensorTypes(int sensorType, int inputType);
    bool typesEditable() const;
    Scheme tableScheme() const;
    void putScheme(const Scheme &scheme);
    void loadStoredScheme(const QString &name);
    void reopen(qint64 runId);
    void showResult(const CalibrationResult &result);
    void setRecordsActionsEnabled(bool enabled);
    void showSensor();
    void showBacklog();
    QStringList comboTexts(bool sensorTypes) const;
    void warn(const QString &text) const;

    QMainWindow *m_window;
    Ui::MainWindow *m_ui;
    QString m_iniPath;
    DatabaseSettings m_settings;
    std::unique_ptr<RecordsDatabase> m_database;
    QThread m_recorderThread;
    RunRecorder *m_recorder;
    Sensor m_sensor;
    QString m_storedSerial;
    RunRecord m_run;
    int m_behind = 0;
    QString m_behindReason;
    // A journal failed among the runs behind, or the present run's (which
    // fails at its begin before the run is started here).
    bool m_journalFailed = false;
    bool m_runJournalFailed = false;
    QLabel *m_sensorLabel;
    QLabel *m_verdictLabel;
    QLabel *m_backlogLabel;
};
