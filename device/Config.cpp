#include "device/Config.h"

#include "app/GlobalState.h"
#include "device/PortLister.h"
#include "ui_MainWindow.h"

Config::Config()
{
    registerInterfaceType();
}

void Config::setUi(Ui::MainWindow *ui)
{
    m_ui = ui;
    QMutexLocker locker(&rxMutex);
    rxBuffer.clear();
}

void Config::on_serialPortComboBox_clicked()
{
    QComboBox *combo = m_ui->serialPortComboBox;
    const QString remembered = combo->currentText();
    combo->clear();
    combo->addItems(PortLister::openablePorts());
    combo->setCurrentText(remembered);
}
