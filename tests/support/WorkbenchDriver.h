#pragma once

#include "ui/MainWindow.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

// Drives the real main window the way a technician does: picks the port,
// connects, types test points, presses the buttons and reads the table.
class WorkbenchDriver
{
public:
    explicit WorkbenchDriver(MainWindow &window) : m_window(&window) {}

    template <typename T = QWidget> T *widget(const char *name) const
    {
        return m_window->findChild<T *>(QString::fromLatin1(name));
    }

    // Presses the port selector (which lists the ports again), picks the
    // port and connects; true once this link is up and has read the
    // device's types.
    bool connectTo(const QString &port);
    // Only picks the port and presses Connect.
    void pressConnect(const QString &port);
    void click(const char *buttonName);
    void addPoint(const QString &amplitude, const QString &frequency);
    // Row texts of columns from..to, joined by "|".
    QString rowText(int row, int from = 0, int to = 6) const;
    QStringList columnTexts(int column) const;

protected:
    WorkbenchDriver() = default;
    void drive(MainWindow *window) { m_window = window; }

private:
    MainWindow *m_window = nullptr;
};
