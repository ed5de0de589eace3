#include "ui/MainWindow.h"

#include "app/GlobalState.h"
#include "device/Config.h"
#include "export/ExportFile.h"
#include "ui_MainWindow.h"

#include <QApplication>
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
}

MainWindow::~MainWindow()
{
    delete config;
    delete exportFile;
    delete ui;
}

void MainWindow::changeInterface(InterfaceType_e interfaceType)
{
    switch (interfaceType) {
    case Init: initInterface(); break;
    default: break;
    }
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

void MainWindow::setCentredGeometry(int newHeight)
{
    const QScreen *shown = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect available = shown->availableGeometry();
    const int x = available.x() + (available.width() - width()) / 2;
    const int y = available.y() + qMax(0, (available.height() - newHeight) / 2);
    setGeometry(x, y, width(), newHeight);
}
