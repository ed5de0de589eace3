#include "WorkbenchDriver.h"

#include "app/GlobalState.h"

#include <QtTest>

bool WorkbenchDriver::connectTo(const QString &port)
{
    // The click clears the connect pair; the link's reply sets its
    // acknowledgement and asks for the types afresh.
    pressConnect(port);
    return QTest::qWaitFor([] { return connectAcked && readAcked; }, 5000);
}

void WorkbenchDriver::pressConnect(const QString &port)
{
    auto *ports = widget<QComboBox>("serialPortComboBox");
    QTest::mouseClick(ports, Qt::LeftButton);
    ports->hidePopup();
    ports->setCurrentText(port);
    click("connectBtn");
}

void WorkbenchDriver::click(const char *buttonName)
{
    QTest::mouseClick(widget<QPushButton>(buttonName), Qt::LeftButton);
}

void WorkbenchDriver::addPoint(const QString &amplitude, const QString &frequency)
{
    widget<QLineEdit>("amplitudeLineEdit")->setText(amplitude);
    widget<QLineEdit>("frequenceLineEdit")->setText(frequency);
    click("addBtn");
}

QString WorkbenchDriver::rowText(int row, int from, int to) const
{
    QStringList cells;
    for (int column = from; column <= to; ++column)
        cells << columnTexts(column).value(row);
    return cells.join(QLatin1Char('|'));
}

QStringList WorkbenchDriver::columnTexts(int column) const
{
    const auto *table = widget<QTableWidget>("tableWidget");
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row)
        texts << (table->item(row, column) ? table->item(row, column)->text() : QString());
    return texts;
}
