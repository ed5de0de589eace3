#pragma once

#include <QStringList>
#include <QVector>

class QTableWidget;

// The results table as the window shows it: header texts and cell texts,
// empty for a cell without an item. The journal and the Excel and PDF
// exports take their texts from here.
class TableTexts
{
public:
    TableTexts() = delete;

    static QStringList header(const QTableWidget *table);
    static QStringList row(const QTableWidget *table, int row);
    static QVector<QStringList> rows(const QTableWidget *table);
};
