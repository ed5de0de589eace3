#include "records/LabRecords.h"

#include "app/GlobalState.h"
#include "device/Config.h"
#include "export/ExportFile.h"
#include "export/TableTexts.h"
#include "records/HistoryDialog.h"
#include "records/RecordsDatabase.h"
#include "records/RunHistory.h"
#include "records/RunRecorder.h"
#include "records/SchemeFile.h"
#include "records/SchemeStore.h"
#include "records/SensorDialog.h"
#include "records/SensorRegister.h"
#include "ui/ResultCalculator.h"
#include "ui/SchemeTable.h"
#include "ui_MainWindow.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QSettings>
#include <QSysInfo>
#include <QTimer>
#include <QUuid>

#include <algorithm>

namespace {
const QString sensorKey = QStringLiteral("Records/sensor");
const QString schemeFileFilter = QStringLiteral("CSV (*.csv)");
} // namespace

LabRecords::LabRecords(QMainWindow *window, Ui::MainWindow *ui, const QString &iniPath)
    : QObject(window), m_window(window), m_ui(ui), m_iniPath(iniPath),
      m_settings(DatabaseSettings::fromConfig(iniPath)), m_recorder(new RunRecorder(m_settings)),
      m_sensorLabel(new QLabel), m_verdictLabel(new QLabel), m_backlogLabel(new QLabel)
{
    m_sensorLabel->setObjectName(QStringLiteral("sensorStatusLabel"));
    m_verdictLabel->setObjectName(QStringLiteral("verdictStatusLabel"));
    m_backlogLabel->setObjectName(QStringLiteral("recordsStatusLabel"));
    m_backlogLabel->setStyleSheet(QStringLiteral("color: #b00000;"));
    m_backlogLabel->hide();
    m_ui->statusbar->addPermanentWidget(m_backlogLabel);
    m_ui->statusbar->addPermanentWidget(m_verdictLabel);
    m_ui->statusbar->addPermanentWidget(m_sensorLabel);

    m_recorder->moveToThread(&m_recorderThread);
    connect(m_recorder, &RunRecorder::backlogChanged, this, &LabRecords::backlogHandle);
    m_recorderThread.setObjectName(QStringLiteral("records"));

    connect(m_ui->actionChooseSensor, &QAction::triggered, this, &LabRecords::chooseSensorHandle);
    connect(m_ui->actionClearSensor, &QAction::triggered, this, &LabRecords::clearSensorHandle);
    connect(m_ui->actionSaveScheme, &QAction::triggered, this, &LabRecords::saveSchemeHandle);
    connect(m_ui->actionLoadScheme, &QAction::triggered, this, &LabRecords::loadSchemeHandle);
    connect(m_ui->actionOpenSchemeFile, &QAction::triggered, this,
            &LabRecords::openSchemeFileHandle);
    connect(m_ui->actionSaveSchemeFile, &QAction::triggered, this,
            &LabRecords::saveSchemeFileHandle);
    connect(m_ui->actionHistory, &QAction::triggered, this, &LabRecords::historyHandle);

    m_storedSerial = QSettings(m_iniPath, QSettings::IniFormat).value(sensorKey).toString();
    showSensor();
    if (!m_storedSerial.isEmpty())
        QTimer::singleShot(0, this, &LabRecords::restoreSensor);
}

// What could not be recorded gets a last try; the recorder logs what is
// still missing.
LabRecords::~LabRecords()
{
    if (m_recorderThread.isRunning()) {
        RunRecorder *recorder = m_recorder;
        recorder->postAndWait([recorder] { recorder->shutDown(); });
        m_recorderThread.quit();
        m_recorderThread.wait();
    }
    delete m_recorder;
}

// The recorder's thread starts with the first run, so that a window that
// runs nothing starts no thread.
RunRecorder *LabRecords::recorder()
{
    if (!m_recorderThread.isRunning())
        m_recorderThread.start();
    return m_recorder;
}

void LabRecords::runStarted(const QString &journalPath)
{
    if (m_behind == 0 && !m_runJournalFailed)
        m_journalFailed = false;
    m_run = RunRecord();
    m_run.uid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    m_run.station = QSysInfo::machineHostName();
    m_run.journal = journalPath;
    m_run.started = QDateTime::currentDateTime();
    m_run.sensorId = m_sensor.id;
    m_run.sensorType = m_ui->sensorTypeComboBox->currentIndex();
    m_run.inputType = m_ui->inputTypeComboBox->currentIndex();
    const QVector<QStringList> rows = TableTexts::rows(m_ui->tableWidget);
    for (int row = 0; row < rows.size(); ++row)
        m_run.points << PointRecord{row, PointRecord::Pending, rows.at(row), false, 0, 0};
    const RunRecord run = m_run;
    RunRecorder *runRecorder = recorder();
    runRecorder->post([runRecorder, run] { runRecorder->beginRun(run); });
    schemeChanged();
    setRecordsActionsEnabled(false);
}

void LabRecords::pointEnded(int row, PointRecord::State_e state, bool withCounts,
                            int amplitudeCount, int outputCount)
{
    if (m_run.uid.isEmpty() || row < 0 || row >= m_run.points.size())
        return;
    PointRecord &point = m_run.points[row];
    point.state = state;
    point.cells = TableTexts::row(m_ui->tableWidget, row);
    point.hasCounts = withCounts;
    point.amplitudeCount = amplitudeCount;
    point.outputCount = outputCount;
    const QString uid = m_run.uid;
    const PointRecord ended = point;
    RunRecorder *runRecorder = recorder();
    runRecorder->post([runRecorder, uid, ended] { runRecorder->recordPoint(uid, ended); });
}

// A run whose every row has ended is finished; one stopped or cut short is
// not, and its verdict says so.
void LabRecords::runFinished()
{
    setRecordsActionsEnabled(true);
    m_runJournalFailed = false;
    if (m_run.uid.isEmpty())
        return;
    const bool finished =
        std::none_of(m_run.points.cbegin(), m_run.points.cend(),
                     [](const PointRecord &point) { return point.state == PointRecord::Pending; });
    const CalibrationResult result =
        CalibrationResult::evaluate(m_sensor, m_run.sensorType, m_run.inputType, m_run.points);
    RunEnd end;
    end.ended = QDateTime::currentDateTime();
    end.outcome = finished ? QStringLiteral("finished") : QStringLiteral("stopped");
    if (m_sensor.isValid()) {
        end.referenceFrequency = result.referenceFrequency();
        end.referenceSensitivity = result.reference();
        end.verdict = result.code();
    }
    const QString uid = m_run.uid;
    RunRecorder *runRecorder = recorder();
    runRecorder->post([runRecorder, uid, end] { runRecorder->endRun(uid, end); });
    m_run = RunRecord();
    showResult(result);
}

void LabRecords::journalFailed()
{
    m_journalFailed = true;
    m_runJournalFailed = true;
    showBacklog();
}

void LabRecords::deviceTypesAdopted()
{
    if (m_sensor.isValid())
        applySensorTypes(m_sensor.sensorType, m_sensor.inputType);
}

void LabRecords::schemeChanged()
{
    exportFile->clearCertificate();
    m_verdictLabel->clear();
}

void LabRecords::chooseSensorHandle()
{
    RecordsDatabase *records = database();
    if (!records)
        return;
    SensorRegister sensors(*records);
    SensorDialog dialog(sensors, comboTexts(true), comboTexts(false), m_window);
    if (dialog.exec() != QDialog::Accepted) {
        refreshSensor(sensors);
        return;
    }
    setSensor(dialog.chosen());
    applySensorTypes(m_sensor.sensorType, m_sensor.inputType);
    offerDefaultScheme();
}

// The chosen sensor as the register now has it, edited or retired in the
// dialog meanwhile.
void LabRecords::refreshSensor(SensorRegister &sensors)
{
    QString error;
    const Sensor sensor = m_sensor.isValid() ? sensors.byId(m_sensor.id, &error) : Sensor();
    if (sensor.retired) {
        setSensor(Sensor());
    } else if (sensor.isValid()) {
        m_sensor = sensor;
        showSensor();
    }
}

void LabRecords::clearSensorHandle()
{
    setSensor(Sensor());
}

void LabRecords::saveSchemeHandle()
{
    const Scheme scheme = tableScheme();
    RecordsDatabase *records = scheme.isEmpty() ? nullptr : database();
    if (!records)
        return;
    SchemeStore store(*records);
    QString error;
    const QStringList names = store.names(&error);
    bool ok = false;
    const QString name =
        QInputDialog::getText(m_window, tr("保存方案"), tr("方案名称："), QLineEdit::Normal,
                              m_sensor.isValid() ? m_sensor.model : QString(), &ok)
            .trimmed();
    if (!ok || name.isEmpty())
        return;
    if (names.contains(name) &&
        QMessageBox::question(m_window, tr("保存方案"),
                              tr("方案“%1”已经存在，要替换它吗？").arg(name)) != QMessageBox::Yes)
        return;
    const qint64 id = store.save(name, scheme, &error);
    if (id == 0) {
        warn(tr("方案没有保存：%1").arg(error));
        return;
    }
    if (m_sensor.isValid() &&
        QMessageBox::question(
            m_window, tr("保存方案"),
            tr("把“%1”设为传感器 %2 的默认方案吗？").arg(name, m_sensor.serial)) ==
            QMessageBox::Yes) {
        if (SensorRegister(*records).setDefaultScheme(m_sensor.id, id, &error))
            m_sensor.defaultSchemeId = id;
        else
            warn(tr("默认方案没有设置：%1").arg(error));
    }
}

void LabRecords::loadSchemeHandle()
{
    RecordsDatabase *records = database();
    if (!records)
        return;
    QString error;
    const QStringList names = SchemeStore(*records).names(&error);
    if (names.isEmpty()) {
        warn(error.isEmpty() ? tr("还没有保存的方案") : error);
        return;
    }
    bool ok = false;
    const QString name =
        QInputDialog::getItem(m_window, tr("载入方案"), tr("方案："), names, 0, false, &ok);
    if (ok)
        loadStoredScheme(name);
}

void LabRecords::openSchemeFileHandle()
{
    const QString path =
        QFileDialog::getOpenFileName(m_window, tr("打开方案文件"), QString(), schemeFileFilter);
    if (path.isEmpty())
        return;
    Scheme scheme;
    QString error;
    if (!SchemeFile::read(path, m_ui->sensorTypeComboBox->currentIndex(), &scheme, &error)) {
        warn(tr("方案文件没有载入，表格未改变。\n%1\n%2").arg(path, error));
        return;
    }
    putScheme(scheme);
}

void LabRecords::saveSchemeFileHandle()
{
    const Scheme scheme = tableScheme();
    if (scheme.isEmpty())
        return;
    const QString path =
        QFileDialog::getSaveFileName(m_window, tr("保存方案文件"), QString(), schemeFileFilter);
    if (path.isEmpty())
        return;
    QString error;
    if (!SchemeFile::write(path, scheme, &error))
        warn(tr("方案文件没有保存：%1").arg(error));
}

void LabRecords::historyHandle()
{
    if (!m_sensor.isValid()) {
        warn(tr("请先在“传感器”菜单中选择传感器"));
        return;
    }
    RecordsDatabase *records = database();
    if (!records)
        return;
    // What the recorder was handed, the run just ended among it, is written
    // (or waits for the database) before the history is read.
    if (m_recorderThread.isRunning())
        m_recorder->postAndWait([] {});
    QString error;
    const QVector<RunHistory::Entry> entries = RunHistory(*records).forSensor(m_sensor.id, &error);
    if (!error.isEmpty()) {
        warn(tr("无法读取历史记录：%1").arg(error));
        return;
    }
    HistoryDialog dialog(m_sensor, entries,
                         ResultCalculator::sensitivityUnit(m_sensor.sensorType, m_sensor.inputType),
                         m_window);
    if (dialog.exec() == QDialog::Accepted && dialog.selectedRun() > 0)
        reopen(dialog.selectedRun());
}

void LabRecords::backlogHandle(int pending, const QString &reason)
{
    m_behind = pending;
    m_behindReason = reason;
    showBacklog();
}

// The message says the journal has what waits only while it could be
// written.
void LabRecords::showBacklog()
{
    m_backlogLabel->setVisible(m_behind > 0);
    m_backlogLabel->setText(
        m_journalFailed
            ? tr("数据库记录滞后：%1 项待写入，运行记录也无法写入，请导出报告保存").arg(m_behind)
            : tr("数据库记录滞后：%1 项待写入，运行记录中都有").arg(m_behind));
    m_backlogLabel->setToolTip(m_behindReason);
}

RecordsDatabase *LabRecords::database()
{
    QString error;
    RecordsDatabase *records = openDatabase(&error);
    if (!records)
        warn(tr("无法打开记录数据库 %1：%2").arg(m_settings.description(), error));
    return records;
}

// Opened on first use; a connection that failed, or that a server gone away
// has broken since, is opened anew.
RecordsDatabase *LabRecords::openDatabase(QString *error)
{
    if (!m_database)
        m_database = std::make_unique<RecordsDatabase>(m_settings, QStringLiteral("rt58-window"));
    bool alive = false;
    if (m_database->isOpen())
        m_database->value(QStringLiteral("SELECT 1"), {}, error, &alive);
    if (!alive && !m_database->open(error))
        return nullptr;
    return m_database.get();
}

void LabRecords::restoreSensor()
{
    QString error;
    if (!openDatabase(&error)) {
        m_sensorLabel->setText(tr("传感器 %1（登记无法读取）").arg(m_storedSerial));
        m_sensorLabel->setToolTip(error);
        return;
    }
    const Sensor sensor = SensorRegister(*m_database).bySerial(m_storedSerial, &error);
    if (sensor.isValid() && !sensor.retired)
        setSensor(sensor);
    else
        setSensor(Sensor());
}

void LabRecords::setSensor(const Sensor &sensor)
{
    m_sensor = sensor;
    m_storedSerial = sensor.serial;
    QSettings(m_iniPath, QSettings::IniFormat).setValue(sensorKey, sensor.serial);
    showSensor();
    schemeChanged();
}

void LabRecords::offerDefaultScheme()
{
    RecordsDatabase *records = m_sensor.defaultSchemeId > 0 ? database() : nullptr;
    if (!records)
        return;
    QString error;
    const QString name = SchemeStore(*records).nameOf(m_sensor.defaultSchemeId, &error);
    if (!name.isEmpty() &&
        QMessageBox::question(
            m_window, tr("载入方案"),
            tr("传感器 %1 有默认方案“%2”，现在载入吗？").arg(m_sensor.serial, name)) ==
            QMessageBox::Yes)
        loadStoredScheme(name);
}

// As a choice in the combos: once connected, each change configures the
// device through the link, and a new sensor type empties the table.
void LabRecords::applySensorTypes(int sensorType, int inputType)
{
    if (!typesEditable())
        return;
    m_ui->sensorTypeComboBox->setCurrentIndex(sensorType);
    m_ui->inputTypeComboBox->setCurrentIndex(inputType);
}

bool LabRecords::typesEditable() const
{
    return m_ui->sensorTypeComboBox->isEnabled() && !config->testRunning();
}

Scheme LabRecords::tableScheme() const
{
    Scheme scheme;
    for (const QStringList &row : TableTexts::rows(m_ui->tableWidget))
        scheme << SchemePoint{row.value(1), row.value(2)};
    if (scheme.isEmpty())
        warn(tr("表格中没有测试点"));
    return scheme;
}

void LabRecords::putScheme(const Scheme &scheme)
{
    m_ui->tableWidget->setRowCount(0);
    for (const SchemePoint &point : scheme)
        SchemeTable::appendPoint(m_ui->tableWidget, point.amplitude, point.frequency);
    schemeChanged();
}

void LabRecords::loadStoredScheme(const QString &name)
{
    RecordsDatabase *records = database();
    if (!records)
        return;
    Scheme scheme;
    QString error;
    if (!SchemeStore(*records).load(name, m_ui->sensorTypeComboBox->currentIndex(), &scheme,
                                    &error)) {
        warn(tr("方案“%1”没有载入，表格未改变。\n%2").arg(name, error));
        return;
    }
    putScheme(scheme);
}

// The run's types are put in the combos first, as a choice there would; with
// the link down they cannot be, and a run of other types is not reopened.
void LabRecords::reopen(qint64 runId)
{
    RecordsDatabase *records = database();
    RunRecord run;
    QString error;
    if (!records || !RunHistory(*records).load(runId, &run, &error)) {
        if (records)
            warn(tr("无法读取这次测试：%1").arg(error));
        return;
    }
    const bool sameTypes = m_ui->sensorTypeComboBox->currentIndex() == run.sensorType &&
                           m_ui->inputTypeComboBox->currentIndex() == run.inputType;
    if (!sameTypes && !typesEditable()) {
        warn(tr("这次测试的传感器类型或输入类型与当前的不同，请先连接设备再重新打开"));
        return;
    }
    applySensorTypes(run.sensorType, run.inputType);
    QVector<QStringList> rows;
    for (const PointRecord &point : qAsConst(run.points))
        rows << point.cells;
    SchemeTable::setRows(m_ui->tableWidget, rows);
    emit resultsReopened();
    showResult(CalibrationResult::evaluate(m_sensor, run.sensorType, run.inputType, run.points));
}

void LabRecords::showResult(const CalibrationResult &result)
{
    if (result.verdict() == CalibrationResult::NoSensor) {
        schemeChanged();
        return;
    }
    exportFile->setCertificate(m_sensor, result);
    QString text = tr("结论：%1").arg(result.verdictText());
    if (result.hasReference())
        text = tr("参考灵敏度 %1 %2（%3 Hz）")
                   .arg(result.reference(), 0, 'f', 3)
                   .arg(ResultCalculator::sensitivityUnit(m_sensor.sensorType, m_sensor.inputType))
                   .arg(result.referenceFrequency(), 0, 'f', 2) +
               QStringLiteral("  ") + text;
    m_verdictLabel->setText(text);
    const bool pass = result.verdict() == CalibrationResult::Pass;
    m_verdictLabel->setStyleSheet(pass ? QStringLiteral("color: #006000; font-weight: bold;")
                                       : QStringLiteral("color: #b00000; font-weight: bold;"));
}

void LabRecords::setRecordsActionsEnabled(bool enabled)
{
    for (QAction *action :
         {m_ui->actionChooseSensor, m_ui->actionClearSensor, m_ui->actionLoadScheme,
          m_ui->actionOpenSchemeFile, m_ui->actionHistory})
        action->setEnabled(enabled);
}

void LabRecords::showSensor()
{
    m_sensorLabel->setToolTip(QString());
    if (m_sensor.isValid())
        m_sensorLabel->setText(tr("传感器：%1  %2").arg(m_sensor.model, m_sensor.serial));
    else if (!m_storedSerial.isEmpty())
        m_sensorLabel->setText(tr("传感器：%1").arg(m_storedSerial));
    else
        m_sensorLabel->setText(tr("未选择传感器"));
}

QStringList LabRecords::comboTexts(bool sensorTypes) const
{
    const QComboBox *combo = sensorTypes ? m_ui->sensorTypeComboBox : m_ui->inputTypeComboBox;
    QStringList texts;
    for (int index = 0; index < combo->count(); ++index)
        texts << combo->itemText(index);
    return texts;
}

void LabRecords::warn(const QString &text) const
{
    QMessageBox::warning(m_window, tr("实验室记录"), text);
}
