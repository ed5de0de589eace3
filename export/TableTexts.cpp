#include "export/TableTexts.h"

#include <QTableWidget>

QStringList TableTexts::header(const QTableWidget *table)
{
    QStringList texts;
    for (int column = 0; column < table->columnCount(); ++column)
        texts << table->model()->headerData(column, Qt::Horizontal).toString();
    return texts;
}

QStringList TableTexts::row(const QTableWidget *table, int row)
{
    QStringList texts;
    for (int column = 0; column < table->columnCount(); ++column) {
        const QTableWidgetItem *item = table->item(row, column);
        texts << (item ? item->text() : QString());
    }
    return texts;
}

QVector<QStringList> TableTexts::rows(const QTableWidget *table)
{
    QVector<QStringList> texts;
    texts.reserve(table->rowCount());
    for (int row = 0; row < table->rowCount(); ++row)
        texts << TableTexts::row(table, row);
    return texts;
}
