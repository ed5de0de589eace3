#include "ui/SchemeTable.h"

#include <QTableWidget>

void SchemeTable::appendPoint(QTableWidget *table, const QString &amplitudeCell,
                              const QString &frequencyCell)
{
    selectRowsOnly(table);
    const int row = table->rowCount();
    table->insertRow(row);
    table->setItem(row, 0, new QTableWidgetItem(QString::number(row + 1)));
    table->setItem(row, 1, new QTableWidgetItem(amplitudeCell));
    table->setItem(row, 2, new QTableWidgetItem(frequencyCell));
}

void SchemeTable::setRows(QTableWidget *table, const QVector<QStringList> &rows)
{
    selectRowsOnly(table);
    table->setRowCount(0);
    table->setRowCount(rows.size());
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < rows.at(row).size(); ++column)
            table->setItem(row, column, new QTableWidgetItem(rows.at(row).at(column)));
    }
}

void SchemeTable::selectRowsOnly(QTableWidget *table)
{
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
}
