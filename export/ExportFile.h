#pragma once

#include <QObject>
#include <QPixmap>

namespace Ui {
class MainWindow;
}

// Turns the main window's results table into files.
class ExportFile : public QObject
{
    Q_OBJECT

public:
    ExportFile();

    void setUi(Ui::MainWindow *ui);

    QPixmap m_picture;

private:
    Ui::MainWindow *m_ui = nullptr;
};
