#include "ui/MainWindow.h"

#include "app/GlobalState.h"
#include "chart/ChartContextMenu.h"
#include "chart/ChartPicture.h"
#include "chart/CoordinateReadout.h"
#include "chart/SensitivityChartBuilder.h"
#include "device/Config.h"
#include "device/HandleThread.h"
#include "export/ExportFile.h"
#include "export/TableTexts.h"
#include "records/LabRecords.h"
#include "ui/ChartPanelMode.h"
#include "ui/ResultCalculator.h"
#include "ui/SchemeInput.h"
#include "ui/SchemeTable.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QListView>
#include <QMessageBox>
#include <QScreen>
#include <QSerialPort>
#include <QStatusBar>
#include <QToolTip>
#include <QTranslator>
#include <QWindow>
#include <QWindowStateChangeEvent>
#include <QtCharts/QChart>

#include <algorithm>
#include <utility>

namespace {
// Height by which the chart panel grows and shrinks.
constexpr int chartPanelStep = 245;
// How long closing waits for the unlink frame to leave the port.
constexpr int unlinkWriteTimeoutMs = 1000;
const QString failedPointText = QStringLiteral("测试失败");

// A catalogue that fails to load leaves the source texts in place; the
// owner's end removes it.
void installCatalogue(QObject *owner, const QString &name, const QString &folder = QString())
{
    auto *translator = new QTranslator(owner);
    translator->load(name, folder);
    QCoreApplication::installTranslator(translator);
}

QString readStyleSheet(const QString &path)
{
    QFile file(path);
    file.open(QFile::ReadOnly);
    const QString sheet = QString::fromUtf8(file.readAll());
    file.close();
    return sheet;
}
} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), ui(new Ui::MainWindow), m_chartPanelGrowth(chartPanelStep)
{
    themeFiles =
        QStringLiteral(":/qss/appQssBlue.qss,:/qss/appQssLight.qss,:/qss/appQssLight_EN.qss,")
            .split(QLatin1Char(','), Qt::KeepEmptyParts);
    langFiles = QStringLiteral(":/lang/RT-58_zh_CN.qm,:/lang/RT-58_zh_EN.qm,")
                    .split(QLatin1Char(','), Qt::KeepEmptyParts);
    ui->setupUi(this);
    languageIndex = 0;

    const QString themePath = themeFiles.at(1);
    if (!themePath.isEmpty())
        qApp->setStyleSheet(readStyleSheet(themePath));

    config = new Config();
    config->setUi(ui);
    config->m_language = languageIndex;

    const QString langPath =
        static_cast<unsigned>(languageIndex) < 2 ? langFiles.at(languageIndex) : QString();
    installCatalogue(this, langPath);
    // Qt's own texts, those of the standard dialogs and their questions, in
    // the interface's language too.
    if (languageIndex == 0)
        installCatalogue(this, QStringLiteral("qt_zh_CN"),
                         QLibraryInfo::location(QLibraryInfo::TranslationsPath));
    ui->retranslateUi(this);

    exportFile = new ExportFile();
    exportFile->setUi(ui);
    m_records = new LabRecords(this, ui);
    connect(m_records, &LabRecords::resultsReopened, this, &MainWindow::resultsReopenedHandle);

    m_journal.setFailureHandler([this](const QString &path, const QString &reason) {
        statusBar()->showMessage(tr("运行记录无法写入：%1（%2）。本次测试的结果请导出报告保存。")
                                     .arg(QDir::toNativeSeparators(path), reason));
        m_records->journalFailed();
    });

    updateStatus(StatusCode::ResetAll);
    changeInterface(Init);

    QObject::disconnect(config, nullptr, this, nullptr);
    connect(config, &Config::updateSignal, this, &MainWindow::updateSignalHandle);
    QObject::disconnect(ui->sensitivityGraphicsView, nullptr, this, nullptr);
    connect(ui->sensitivityGraphicsView, &SensitivityChartView::mouseMovePoint, this,
            &MainWindow::onMouseMovePoint);
}

// The worker locks the global receive buffer, so it stops before the globals
// go away at process exit.
MainWindow::~MainWindow()
{
    stopWorker();
    delete config;
    delete exportFile;
    delete ui;
}

void MainWindow::changeInterface(InterfaceType_e interfaceType)
{
    switch (interfaceType) {
    case Init:
        initInterface();
        break;
    case Connected:
        applyLinkWidgetStates(true);
        updateStatus(StatusCode::ConnectAcked);
        updateStatus(StatusCode::ReadRequested);
        config->sendCmd(DeviceCommand::ReadTypes);
        break;
    case Disconnected:
        config->releasePort();
        // A run still owns the window; its end applies the disconnected states.
        if (!config->testRunning())
            applyLinkWidgetStates(false);
        updateStatus(StatusCode::DisconnectAcked);
        break;
    case DeviceTypes:
        adoptDeviceTypes();
        break;
    case SensorTypeChanged:
        applySensorType(true);
        m_records->schemeChanged();
        break;
    case RefreshHeaders:
        applySensorType(false);
        break;
    case AddRow:
        addRow();
        break;
    case ModifyRow:
        modifyRow();
        break;
    case DeleteRow:
        deleteRow();
        break;
    case PointFailed:
        markPointFailed();
        break;
    case PointResult:
        writePointResult();
        break;
    case TestStart:
        statusBar()->clearMessage();
        m_journal.begin(QDateTime::currentDateTime(), TableTexts::header(ui->tableWidget));
        m_records->runStarted(m_journal.filePath());
        setChartPanel(ChartPanelMode::CollapseForTest);
        applyRunningWidgetStates();
        break;
    case TestFinished:
        finishTest();
        break;
    default:
        break;
    }
}

// Closing while the link is up asks first (unless a termination signal
// closes the window) and then sends the unlink frame. A running test ends at
// its next poll; the unlink frame is pushed out of the port before the program
// goes on to exit.
void MainWindow::closeEvent(QCloseEvent *event)
{
    if (connectAcked && !disconnectSent) {
        if (!m_terminating) {
            const auto answer = QMessageBox::warning(
                this, tr("Warning"),
                tr("The device is currently connected and is about to be disconnected!"),
                QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok);
            if (answer != QMessageBox::Ok) {
                event->ignore();
                return;
            }
        }
        updateStatus(StatusCode::DisconnectRequested);
        config->sendCmd(DeviceCommand::Disconnect);
        if (serialPort && serialPort->isOpen())
            serialPort->waitForBytesWritten(unlinkWriteTimeoutMs);
    }
    stopRequested = true;
    event->accept();
}

// Quitting also ends any modal loop, such as an open close question, so the
// program leaves its event loop once a running test has wound down.
void MainWindow::terminationSignalHandle(int signalNumber)
{
    qWarning().noquote() << QStringLiteral("收到终止信号 %1, 断开设备并退出").arg(signalNumber);
    m_terminating = true;
    close();
    QCoreApplication::quit();
}

void MainWindow::on_connectBtn_clicked()
{
    updateStatus(StatusCode::ConnectRequested);
    config->sendCmd(DeviceCommand::Connect);
}

void MainWindow::on_disconnectBtn_clicked()
{
    updateStatus(StatusCode::DisconnectRequested);
    config->sendCmd(DeviceCommand::Disconnect);
}

void MainWindow::on_addBtn_clicked()
{
    changeInterface(AddRow);
}

void MainWindow::on_modifyBtn_clicked()
{
    changeInterface(ModifyRow);
}

void MainWindow::on_deleteBtn_clicked()
{
    changeInterface(DeleteRow);
}

// The click has already toggled the button: checked starts a run, which
// returns only when the sequence has ended; unchecked asks it to stop. A click
// that lands while a run is still active, such as the second click of a
// double-click on Stop, starts nothing: the button goes back to unchecked and
// the stop stands.
void MainWindow::on_startBtn_clicked()
{
    if (!ui->startBtn->isChecked()) {
        stopRequested = true;
    } else if (config->testRunning()) {
        const QSignalBlocker blocker(ui->startBtn);
        ui->startBtn->setChecked(false);
        qDebug().noquote() << QStringLiteral("测试尚未结束, 不启动新的测试");
    } else {
        stopRequested = false;
        changeInterface(TestStart);
        config->sendCmd(DeviceCommand::RunTest);
    }
}

void MainWindow::on_exitBtn_clicked()
{
    close();
}

// The report's picture is the chart of the table the report carries, drawn
// for the report alone.
void MainWindow::on_exportBtn_clicked()
{
    exportFile->m_picture = ChartPicture::ofTable(
        ui->tableWidget, ui->sensorTypeComboBox->currentIndex(), ExportFile::pictureSize());
    exportFile->doExport(ExportType::WordReport);
    changeInterface(Exported);
}

// Link events: an open port starts the worker; a lost port ends the link; a
// point result is one that the link has matched to the point under test.
void MainWindow::updateSignalHandle(InterfaceType_e interfaceType)
{
    switch (interfaceType) {
    case Connected:
        startWorker();
        break;
    case Disconnected:
    case SensorTypeChanged:
    case InputTypeChanged:
    case PointFailed:
    case PointResult:
    case TestFinished:
        changeInterface(interfaceType);
        break;
    default:
        break;
    }
}

// A read-out already shown keeps its text until it expires, so it is given
// the new text and follows the pointer.
void MainWindow::onMouseMovePoint(QPoint point)
{
    if (!m_chart)
        return;
    SensitivityChartView *view = ui->sensitivityGraphicsView;
    const QString text = coordinateReadoutText(view->chart()->mapToValue(QPointF(point)));
    m_chart->setToolTip(text);
    if (QToolTip::isVisible())
        QToolTip::showText(view->mapToGlobal(point), text, view);
}

// The worker's link and unlink replies. A reply to a request this link did
// not send (a calibrator reset from its front panel, a duplicate, the answer
// to an unlink sent before the program last closed) changes nothing.
void MainWindow::changeInterfaceHandle(InterfaceType_e interfaceType)
{
    const bool requested = interfaceType == Connected ? connectSent && !connectAcked
                                                      : disconnectSent && !disconnectAcked;
    if (!requested) {
        qWarning().noquote() << QStringLiteral("忽略未请求的回复:")
                             << (interfaceType == Connected ? "L" : "S");
        return;
    }
    changeInterface(interfaceType);
}

// The worker's 'R' reply. Only the GUI thread writes the device's types. A
// run keeps the types it started with: no row may change its type or vanish
// while it runs.
void MainWindow::deviceTypesHandle(int sensorType, int inputType)
{
    if (!readSent || readAcked) {
        qWarning().noquote() << QStringLiteral("忽略未请求的回复: R") << sensorType << inputType;
        return;
    }
    deviceSensorType = sensorType;
    deviceInputType = inputType;
    if (config->testRunning()) {
        qDebug().noquote() << QStringLiteral("测试进行中, 设备类型在测试结束后采用:") << sensorType
                           << inputType;
        m_typesAfterRun = true;
        return;
    }
    changeInterface(DeviceTypes);
}

void MainWindow::displayContextMenu(QMouseEvent *event)
{
    ChartContextMenu::popUp(ui->sensitivityGraphicsView, event);
}

// Recalls a point into the two fields, so that it can be changed with Modify.
void MainWindow::on_tableWidget_cellDoubleClicked(int row, int column)
{
    Q_UNUSED(column)
    const QTableWidgetItem *amplitude = ui->tableWidget->item(row, 1);
    const QTableWidgetItem *frequency = ui->tableWidget->item(row, 2);
    ui->amplitudeLineEdit->setText(amplitude ? amplitude->text() : QString());
    ui->frequenceLineEdit->setText(frequency ? frequency->text() : QString());
}

void MainWindow::threadStartHandle()
{
    qDebug().noquote() << QStringLiteral("线程启动");
}

void MainWindow::threadStopHandle()
{
    qDebug().noquote() << QStringLiteral("线程停止");
    if (m_thread)
        m_thread->wait();
}

// A past run put into the table shows its chart, as at the end of a run; the
// next start collapses the panel again.
void MainWindow::resultsReopenedHandle()
{
    if (ui->sensitivityGraphicsView->isHidden()) {
        setChartPanel(ChartPanelMode::Expand);
        chartCollapsed = false;
    }
    buildSensitivityChart();
}

void MainWindow::initInterface()
{
    if (config->m_language == 0)
        setChartPanel(ChartPanelMode::CollapseAtStartChinese);
    else if (config->m_language == 1)
        setChartPanel(ChartPanelMode::CollapseAtStartEnglish);
    if (static_cast<unsigned>(config->m_language) < 2)
        ui->connectStatusLabel->setText(connectStatusTexts.at(config->m_language).at(1));
    connect(ui->serialPortComboBox, &ClickedComboBox::clicked, config,
            &Config::on_serialPortComboBox_clicked, Qt::UniqueConnection);
    ui->amplitudeLineEdit->setText(QStringLiteral("10"));
    ui->frequenceLineEdit->setText(QStringLiteral("160"));
    ui->tableWidget->horizontalHeader()->setStretchLastSection(true);
    ui->tableWidget->setWordWrap(false);
    if (static_cast<unsigned>(config->m_language) < 2) {
        ui->tipsTextEdit->clear();
        for (const QString &line : tipsTexts.at(config->m_language))
            ui->tipsTextEdit->appendPlainText(line);
    }
    ui->serialPortComboBox->setView(new QListView());
    ui->sensorTypeComboBox->setView(new QListView());
    ui->inputTypeComboBox->setView(new QListView());
    applyInitWidgetStates();
    config->on_serialPortComboBox_clicked();
}

void MainWindow::applyInitWidgetStates()
{
    ui->serialPortComboBox->setEnabled(true);
    ui->connectBtn->setEnabled(true);
    ui->disconnectBtn->setEnabled(false);
    ui->sensorTypeComboBox->setEnabled(false);
    ui->inputTypeComboBox->setEnabled(false);
    {
        const QSignalBlocker blocker(ui->startBtn);
        ui->startBtn->setCheckable(true);
        ui->startBtn->setChecked(false);
    }
    ui->startBtn->setEnabled(false);
    ui->startBtn->setText(tr(startStopTexts.at(0)));
    ui->exportBtn->setEnabled(true);
    ui->addBtn->setEnabled(true);
    ui->modifyBtn->setEnabled(true);
    ui->deleteBtn->setEnabled(true);
    ui->exitBtn->setEnabled(true);
    resetProgressBar();
}

void MainWindow::resetProgressBar()
{
    ui->progressBar->setRange(0, 100);
    ui->progressBar->setTextVisible(false);
    ui->progressBar->reset();
    ui->progressBar->setValue(0);
    ui->progressBar->hide();
}

void MainWindow::setChartPanel(int mode)
{
    switch (mode) {
    case ChartPanelMode::CollapseAtStartEnglish:
    case ChartPanelMode::CollapseAtStartChinese:
        collapseChartPanel(false);
        break;
    case ChartPanelMode::CollapseForTest:
        if (chartCollapsed)
            chartCollapsed = false;
        else
            collapseChartPanel(true);
        break;
    case ChartPanelMode::Expand:
        expandChartPanel();
        break;
    default:
        break;
    }
}

// The chart view is hidden before the window shrinks, so that the layout's
// minimum height no longer counts it. The window gives back what the last
// expansion added, and never stays taller than the screen's available area.
void MainWindow::collapseChartPanel(bool keepGeometryWhenMaximised)
{
    ui->controlGroupBox->move(ui->controlGroupBox->pos() - QPoint(0, chartPanelStep));
    ui->sensitivityGraphicsView->hide();
    ui->gridLayout_7->setRowStretch(2, 0);
    if (isVisible())
        settleLayout();
    const int collapsed = qMin(normalHeight() - m_chartPanelGrowth, availableClientHeight());
    if (keepGeometryWhenMaximised && isExactlyMaximised())
        m_restoredHeight = collapsed;
    else
        setCentredGeometry(collapsed, frameMargins());
}

// The window grows by the panel's height, but never past the bottom of the
// screen's available area: there the chart takes the room there is, and at
// least the height at which its axes stay readable (on a screen too small for
// that the window's foot leaves the screen, its title bar never does). A
// maximised window keeps its geometry; its restore brings the grown height.
void MainWindow::expandChartPanel()
{
    // Taken first: the shown chart raises the window's minimum height at once.
    const int base = normalHeight();
    ui->controlGroupBox->move(ui->controlGroupBox->pos() + QPoint(0, chartPanelStep));
    ui->sensitivityGraphicsView->show();
    ui->gridLayout_7->setRowStretch(2, 4);
    if (isVisible())
        settleLayout();
    const int expanded = std::max(
        {qMin(base + chartPanelStep, availableClientHeight()), base, minimumSizeHint().height()});
    m_chartPanelGrowth = expanded - base;
    if (isExactlyMaximised())
        m_restoredHeight = expanded;
    else
        setCentredGeometry(expanded, frameMargins());
}

// Lays the shown window out at once, so that its minimum size follows a
// widget just hidden before the geometry is set. A window not shown yet is
// laid out when it is shown.
void MainWindow::settleLayout()
{
    ui->gridLayout_7->activate();
    layout()->activate();
}

// The Connected and Disconnected columns of the window states.
void MainWindow::applyLinkWidgetStates(bool linkUp)
{
    ui->serialPortComboBox->setEnabled(!linkUp);
    ui->connectBtn->setEnabled(!linkUp);
    ui->disconnectBtn->setEnabled(linkUp);
    ui->sensorTypeComboBox->setEnabled(linkUp);
    ui->inputTypeComboBox->setEnabled(linkUp);
    ui->startBtn->setEnabled(linkUp);
    ui->exportBtn->setEnabled(true);
    ui->addBtn->setEnabled(true);
    ui->modifyBtn->setEnabled(true);
    ui->deleteBtn->setEnabled(true);
    ui->exitBtn->setEnabled(!linkUp);
    resetProgressBar();
    if (static_cast<unsigned>(config->m_language) < 2)
        ui->connectStatusLabel->setText(
            connectStatusTexts.at(config->m_language).at(linkUp ? 0 : 1));
}

// While a test runs only the Start/Stop button stays live.
void MainWindow::applyRunningWidgetStates()
{
    ui->serialPortComboBox->setEnabled(false);
    ui->connectBtn->setEnabled(false);
    ui->disconnectBtn->setEnabled(false);
    ui->sensorTypeComboBox->setEnabled(false);
    ui->inputTypeComboBox->setEnabled(false);
    ui->startBtn->setEnabled(true);
    ui->startBtn->setChecked(true);
    ui->startBtn->setText(tr(startStopTexts.at(1)));
    setSchemeEditing(false);
    ui->progressBar->reset();
    ui->progressBar->setValue(0);
    ui->progressBar->show();
}

void MainWindow::applyFinishedWidgetStates()
{
    ui->serialPortComboBox->setEnabled(false);
    ui->connectBtn->setEnabled(false);
    ui->disconnectBtn->setEnabled(true);
    ui->sensorTypeComboBox->setEnabled(true);
    ui->inputTypeComboBox->setEnabled(true);
    ui->startBtn->setEnabled(true);
    ui->startBtn->setChecked(false);
    ui->startBtn->setText(tr(startStopTexts.at(0)));
    setSchemeEditing(true);
}

void MainWindow::setSchemeEditing(bool enabled)
{
    ui->exportBtn->setEnabled(enabled);
    ui->addBtn->setEnabled(enabled);
    ui->modifyBtn->setEnabled(enabled);
    ui->deleteBtn->setEnabled(enabled);
}

// Shows the types the device stores. The combos are wired to the link only
// here, once, so adopting the types of the first connect sends nothing back.
void MainWindow::adoptDeviceTypes()
{
    ui->sensorTypeComboBox->setCurrentIndex(deviceSensorType);
    ui->inputTypeComboBox->setCurrentIndex(deviceInputType);
    changeInterface(RefreshHeaders);
    connect(ui->sensorTypeComboBox, QOverload<int>::of(&QComboBox::currentIndexChanged), config,
            &Config::onSensorTypeComboBoxIndexChanged, Qt::UniqueConnection);
    connect(ui->inputTypeComboBox, QOverload<int>::of(&QComboBox::currentIndexChanged), config,
            &Config::onInputTypeComboBoxIndexChanged, Qt::UniqueConnection);
    updateStatus(StatusCode::ReadAcked);
    m_records->deviceTypesAdopted();
}

// Unit label and the headers of the two derived quantities follow the sensor
// type; a type outside the list (no valid selection) leaves them as they are.
void MainWindow::applySensorType(bool emptyTable)
{
    const int sensorType = ui->sensorTypeComboBox->currentIndex();
    const bool known = ResultCalculator::isSensorType(sensorType);
    if (known)
        ui->amplitudeUnitLabel->setText(sensorTypeUnits.at(sensorType));
    if (emptyTable)
        ui->tableWidget->setRowCount(0);
    if (!known)
        return;
    const QList<int> headers = ResultCalculator::derivedHeaderIndices(sensorType);
    for (int column = 0; column < headers.size(); ++column) {
        const char *source = tableHeaderSources.at(headers.at(column));
        ui->tableWidget->setHorizontalHeaderItem(5 + column, new QTableWidgetItem(tr(source)));
    }
}

void MainWindow::addRow()
{
    const QString amplitude = SchemeInput::clean(ui->amplitudeLineEdit->text());
    const QString frequency = SchemeInput::clean(ui->frequenceLineEdit->text());
    ui->amplitudeLineEdit->setText(amplitude);
    ui->frequenceLineEdit->setText(frequency);
    if (!inputsAccepted(amplitude, frequency))
        return;
    SchemeTable::appendPoint(ui->tableWidget, SchemeInput::cellText(amplitude),
                             SchemeInput::cellText(frequency));
    m_records->schemeChanged();
}

void MainWindow::modifyRow()
{
    const QString amplitude = SchemeInput::clean(ui->amplitudeLineEdit->text());
    const QString frequency = SchemeInput::clean(ui->frequenceLineEdit->text());
    const QModelIndex current = ui->tableWidget->currentIndex();
    if (!current.isValid()) {
        showInfo("Please select one row first");
        return;
    }
    ui->amplitudeLineEdit->setText(amplitude);
    ui->frequenceLineEdit->setText(frequency);
    if (!inputsAccepted(amplitude, frequency))
        return;
    ui->tableWidget->setItem(current.row(), 1,
                             new QTableWidgetItem(SchemeInput::cellText(amplitude)));
    ui->tableWidget->setItem(current.row(), 2,
                             new QTableWidgetItem(SchemeInput::cellText(frequency)));
    m_records->schemeChanged();
}

void MainWindow::deleteRow()
{
    QTableWidget *table = ui->tableWidget;
    const QModelIndex current = table->currentIndex();
    if (!current.isValid()) {
        showInfo("Please select one row first");
        return;
    }
    for (int row = current.row() + 1; row < table->rowCount(); ++row)
        table->setItem(row, 0, new QTableWidgetItem(QString::number(row)));
    table->removeRow(current.row());
    m_records->schemeChanged();
}

bool MainWindow::inputsAccepted(const QString &amplitude, const QString &frequency)
{
    const char *error = SchemeInput::amplitudeError(amplitude);
    if (!error)
        error = SchemeInput::frequencyError(frequency, ui->sensorTypeComboBox->currentIndex());
    if (error)
        showInfo(error);
    return !error;
}

void MainWindow::showInfo(const char *sourceText)
{
    QMessageBox::information(this, tr("Info"), tr(sourceText), QMessageBox::Ok);
}

// Turns the device's counts into the results of the row under test and
// releases the sequence's wait. Without a sensor type there is no control
// amplitude, and a zero one would give an infinite sensitivity; such a point
// counts as failed.
void MainWindow::writePointResult()
{
    const int row = currentRow;
    if (row < 0 || row >= ui->tableWidget->rowCount()) {
        qDebug().noquote() << QStringLiteral("测量结果没有对应的行:") << row;
        updateStatus(StatusCode::PointAcked);
        return;
    }
    const int sensorType = ui->sensorTypeComboBox->currentIndex();
    const int inputType = ui->inputTypeComboBox->currentIndex();
    const bool known =
        ResultCalculator::controlAmplitude(sensorType, replyAmplitudeRaw, &controlAmplitude);
    if (!known)
        qDebug().noquote() << tr("无标准幅度!");
    else if (controlAmplitude == 0)
        qDebug().noquote() << QStringLiteral("控制幅值为0，测试失败，行:") << row + 1;
    if (!known || controlAmplitude == 0) {
        writeFailedPoint(row);
        journalRow(row, PointRecord::Failed, true);
        updateStatus(StatusCode::PointAcked);
        return;
    }
    sensitivity = ResultCalculator::sensitivity(replyOutputRaw, controlAmplitude);
    qDebug() << controlAmplitude << replyOutputRaw << sensitivity;
    if (!ResultCalculator::isInputType(inputType))
        qDebug().noquote() << tr("无此输入类型!");
    const QTableWidgetItem *frequencyCell = ui->tableWidget->item(row, 2);
    const float frequency = frequencyCell ? frequencyCell->text().toFloat() : 0;
    const auto derived = ResultCalculator::derivedTexts(sensorType, controlAmplitude, frequency);
    QTableWidget *table = ui->tableWidget;
    table->setItem(
        row, 3,
        new QTableWidgetItem(ResultCalculator::amplitudeText(controlAmplitude, sensorType)));
    table->setItem(row, 4,
                   new QTableWidgetItem(
                       ResultCalculator::sensitivityText(sensitivity, sensorType, inputType)));
    table->setItem(row, 5, new QTableWidgetItem(derived.first));
    table->setItem(row, 6, new QTableWidgetItem(derived.second));
    journalRow(row, PointRecord::Measured, true);
    updateStatus(StatusCode::PointAcked);
}

void MainWindow::writeFailedPoint(int row)
{
    QTableWidget *table = ui->tableWidget;
    table->setItem(row, 3, new QTableWidgetItem(failedPointText));
    table->setItem(row, 4, new QTableWidgetItem(failedPointText));
    table->setItem(row, 5, new QTableWidgetItem());
    table->setItem(row, 6, new QTableWidgetItem());
}

// A failed last row restores the finished states before the sequence ends.
void MainWindow::markPointFailed()
{
    QTableWidget *table = ui->tableWidget;
    table->setItem(currentRow, 3, new QTableWidgetItem(failedPointText));
    table->setItem(currentRow, 4, new QTableWidgetItem(failedPointText));
    journalRow(currentRow, PointRecord::Failed, false);
    if (currentRow + 1 == table->rowCount())
        applyFinishedWidgetStates();
}

// A point's row goes to the run journal and the records as soon as the table
// holds its result or its failure; the counts are those of the reply, when
// one came.
void MainWindow::journalRow(int row, PointRecord::State_e state, bool withCounts)
{
    if (row < 0 || row >= ui->tableWidget->rowCount())
        return;
    m_journal.record(row, TableTexts::row(ui->tableWidget, row));
    m_records->pointEnded(row, state, withCounts, replyAmplitudeRaw, replyOutputRaw);
}

// The end of a run shows the chart rebuilt from the table. A run that lost
// its link ends in the disconnected state; otherwise the device's types that
// arrived during the run are adopted now.
void MainWindow::finishTest()
{
    m_journal.end();
    m_records->runFinished();
    setChartPanel(ChartPanelMode::Expand);
    buildSensitivityChart();
    applyFinishedWidgetStates();
    const bool typesWaiting = std::exchange(m_typesAfterRun, false);
    if (!serialPort)
        applyLinkWidgetStates(false);
    else if (typesWaiting)
        changeInterface(DeviceTypes);
}

// Rebuilds the chart from the results table; the view's menu is connected
// once however many rebuilds run.
void MainWindow::buildSensitivityChart()
{
    const SensitivityChartBuilder::Parts parts =
        SensitivityChartBuilder(ui->tableWidget, ui->sensorTypeComboBox->currentIndex(),
                                ui->sensitivityGraphicsView)
            .build();
    m_chart = parts.chart;
    m_series = parts.series;
    m_axisX = parts.axisX;
    connect(ui->sensitivityGraphicsView, &SensitivityChartView::displayContextMenu, this,
            &MainWindow::displayContextMenu, Qt::UniqueConnection);
}

// One worker serves every connection: it is created on the first open port
// and keeps draining the receive buffer across reconnects, so each reply is
// handled exactly once.
void MainWindow::startWorker()
{
    if (!m_thread) {
        m_thread = new HandleThread();
        connect(m_thread, &QThread::started, this, &MainWindow::threadStartHandle);
        connect(m_thread, &QThread::finished, this, &MainWindow::threadStopHandle);
        connect(m_thread, &HandleThread::updateSignal, this, &MainWindow::changeInterfaceHandle,
                Qt::QueuedConnection);
        connect(m_thread, &HandleThread::pointReplySignal, config, &Config::pointReplyHandle,
                Qt::QueuedConnection);
        connect(m_thread, &HandleThread::typesReplySignal, this, &MainWindow::deviceTypesHandle,
                Qt::QueuedConnection);
        connect(m_thread, &HandleThread::configReplySignal, config, &Config::configReplyHandle,
                Qt::QueuedConnection);
    }
    if (!m_thread->isRunning())
        m_thread->start(QThread::InheritPriority);
}

void MainWindow::stopWorker()
{
    if (!m_thread)
        return;
    m_thread->requestInterruption();
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
}

bool MainWindow::isExactlyMaximised() const
{
    return windowState() == Qt::WindowMaximized;
}

// The window's height, or for a maximised window the height it comes back to.
int MainWindow::normalHeight() const
{
    if (!isExactlyMaximised())
        return height();
    return m_restoredHeight > 0 ? m_restoredHeight : normalGeometry().height();
}

// Entering the maximised state, the frame of the unmaximised window is noted
// before the window manager changes it. A restore after the chart panel
// changed gives the window the height it would have had, centred with that
// frame: the restored frame may not have come back yet.
void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    if (static_cast<QWindowStateChangeEvent *>(event)->oldState() == Qt::WindowNoState) {
        m_normalFrameMargins = frameMargins();
    } else if (windowState() == Qt::WindowNoState && m_restoredHeight > 0) {
        const int restoredHeight = m_restoredHeight;
        m_restoredHeight = 0;
        setCentredGeometry(restoredHeight, m_normalFrameMargins);
    }
}

QRect MainWindow::availableScreenArea() const
{
    const QScreen *shown = screen() ? screen() : QGuiApplication::primaryScreen();
    return shown->availableGeometry();
}

// The window manager's frame around the window, as the window manager last
// announced it; none before the window is shown or without a window manager.
// The widget's own frame geometry can lag behind a change of the frame that
// comes after the window's last move or resize.
QMargins MainWindow::frameMargins() const
{
    return windowHandle() ? windowHandle()->frameMargins() : QMargins();
}

// The frame that the window has when it is not maximised.
QMargins MainWindow::normalFrameMargins() const
{
    return isExactlyMaximised() ? m_normalFrameMargins : frameMargins();
}

// The tallest unmaximised window whose frame fits in the screen's available
// area.
int MainWindow::availableClientHeight() const
{
    const QMargins frame = normalFrameMargins();
    return availableScreenArea().height() - frame.top() - frame.bottom();
}

// Centres the whole frame in the screen's available area, with its title bar
// and left edge on the screen when it is larger; a window wider than the area
// narrows to it, as far as its layout allows. A window not shown yet has no
// frame; the window manager puts the corner of the frame it adds where the
// window was moved to, so the title bar is on the screen from the start.
void MainWindow::setCentredGeometry(int newHeight, const QMargins &frame)
{
    const QRect available = availableScreenArea();
    const QSize minimum = minimumSizeHint();
    const QSize client(
        qMax(qMin(width(), available.width() - frame.left() - frame.right()), minimum.width()),
        qMax(newHeight, minimum.height()));
    const QSize framed = client.grownBy(frame);
    const int x = available.x() + qMax(0, (available.width() - framed.width()) / 2);
    const int y = available.y() + qMax(0, (available.height() - framed.height()) / 2);
    if (isVisible()) {
        setGeometry(QRect(QPoint(x, y), framed).marginsRemoved(frame));
    } else {
        resize(client);
        move(x, y);
    }
}
