#include "ui/MainWindow.h"

#include "app/GlobalState.h"
#include "device/Config.h"
#include "device/HandleThread.h"
#include "export/ExportFile.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QDebug>
#include <QFile>
#include <QListView>
#include <QScreen>
#include <QTranslator>

namespace {
// Height by which the chart panel grows and shrinks.
constexpr int chartPanelStep = 245;

QString readStyleSheet(const QString &path)
{
    QFile file(path);
    file.open(QFile::ReadOnly);
    const QString sheet = QString::fromUtf8(file.readAll());
    file.close();
    return sheet;
}
} // namespace

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), ui(new Ui::MainWindow)
{
    themeFiles = QStringLiteral(":/qss/appQssBlue.qss,:/qss/appQssLight.qss,:/qss/appQssLight_EN.qss,")
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

    auto *translator = new QTranslator();
    const QString langPath =
        static_cast<unsigned>(languageIndex) < 2 ? langFiles.at(languageIndex) : QString();
    translator->load(langPath);
    QCoreApplication::installTranslator(translator);
    ui->retranslateUi(this);

    exportFile = new ExportFile();
    exportFile->setUi(ui);

    updateStatus(0);
    changeInterface(Init);

    QObject::disconnect(config, nullptr, this, nullptr);
    connect(config, &Config::updateSignal, this, &MainWindow::updateSignalHandle);
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
    case Init: initInterface(); break;
    case Connected:
        applyLinkWidgetStates(true);
        updateStatus(4);
        updateStatus(8);
        config->sendCmd(2);
        break;
    case Disconnected:
        config->releasePort();
        applyLinkWidgetStates(false);
        updateStatus(7);
        break;
    default: break;
    }
}

void MainWindow::on_connectBtn_clicked()
{
    updateStatus(2);
    config->sendCmd(0);
}

void MainWindow::on_disconnectBtn_clicked()
{
    updateStatus(5);
    config->sendCmd(1);
}

// Link events: an open port starts the worker; a lost port ends the link.
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
    case TestFinished:
        changeInterface(interfaceType);
        break;
    default:
        break;
    }
}

void MainWindow::changeInterfaceHandle(InterfaceType_e interfaceType)
{
    changeInterface(interfaceType);
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

void MainWindow::initInterface()
{
    if (config->m_language == 0)
        setChartPanel(1);
    else if (config->m_language == 1)
        setChartPanel(0);
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
    case 0:
    case 1: collapseChartPanel(false); break;
    case 14:
        if (chartCollapsed)
            chartCollapsed = false;
        else
            collapseChartPanel(true);
        break;
    case 15: expandChartPanel(); break;
    default: break;
    }
}

void MainWindow::collapseChartPanel(bool keepGeometryWhenMaximised)
{
    if (!(keepGeometryWhenMaximised && windowState() == Qt::WindowMaximized))
        setCentredGeometry(height() - chartPanelStep);
    ui->controlGroupBox->move(ui->controlGroupBox->pos() - QPoint(0, chartPanelStep));
    ui->sensitivityGraphicsView->hide();
    ui->gridLayout_7->setRowStretch(2, 0);
}

void MainWindow::expandChartPanel()
{
    if (windowState() != Qt::WindowMaximized)
        setCentredGeometry(height() + chartPanelStep);
    ui->controlGroupBox->move(ui->controlGroupBox->pos() + QPoint(0, chartPanelStep));
    ui->sensitivityGraphicsView->show();
    ui->gridLayout_7->setRowStretch(2, 4);
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

void MainWindow::setCentredGeometry(int newHeight)
{
    const QScreen *shown = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect available = shown->availableGeometry();
    const int x = available.x() + (available.width() - width()) / 2;
    const int y = available.y() + qMax(0, (available.height() - newHeight) / 2);
    setGeometry(x, y, width(), newHeight);
}
