#pragma once

#include <QtTest>

// A data table of one column, "example", with a row for each example, named
// after it: for cases that read best as one line of text.
inline void addExampleRows(const QStringList &examples)
{
    QTest::addColumn<QString>("example");
    for (const QString &example : examples)
        QTest::newRow(qPrintable(example)) << example;
}
