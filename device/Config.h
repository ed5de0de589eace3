#pragma once

#include "app/InterfaceType.h"

#include <QElapsedTimer>
#include <QObject>

namespace Ui {
class MainWindow;
}

// The device link: owns the serial connection to the calibrator, builds the
// command frames and keeps the port selector's list current.
class Config : public QObject
{
    Q_OBJECT

public:
    Config();

    void setUi(Ui::MainWindow *ui);

    QElapsedTimer m_elapsedTimer;
    int m_language = 0;

signals:
    void updateSignal(InterfaceType_e interfaceType);

public slots:
    void on_serialPortComboBox_clicked();

private:
    Ui::MainWindow *m_ui = nullptr;
    int m_interfaceType = 0;
};
