#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

class QTableWidget;

// Rows of the test scheme table as the window writes them: a point appended
// with its order number, and a whole table of cell texts put in at once.
class SchemeTable
{
public:
    SchemeTable() = delete;

    static void appendPoint(QTableWidget *table, const QString &amplitudeCell,
                            const QString &frequencyCell);
    // Replaces every row by the given cell texts, seven a row.
    static void setRows(QTableWidget *table, const QVector<QStringList> &rows);

private:
    static void selectRowsOnly(QTableWidget *table);
};
