#pragma once

#include <QList>
#include <QString>

class QTableWidget;

// The plotted values of the frequency-sensitivity chart: how they are read
// from the results table, ordered, and turned into axis ranges.
namespace SensitivityChartData {

// Number of a table text; a text that does not convert, or converts to an
// infinity or NaN (a point measured with zero amplitude), gives 0.
float numberFromText(const QString &text);

// Cuts a sensitivity cell text after three decimals, which drops its unit:
// "1.234 Pc/ms^-2" gives "1.234". A text without a point keeps three characters.
QString cutSensitivityText(const QString &text);

// Empties both lists and refills them from the frequency (2) and sensitivity
// (4) columns of every table row; missing cells read as 0.
void readTable(const QTableWidget *table, QList<float> &frequencies, QList<float> &sensitivities);

// Orders both lists together by ascending frequency with an exchange sort, so
// that every sensitivity stays with its frequency.
void sortByFrequency(QList<float> &frequencies, QList<float> &sensitivities);

// Sets the home range of an axis from its values: the values' span plus an
// eighth on each side, never below 0. An empty list leaves the range as it is;
// a single value v gives [0, 1.125 v].
void applyRangeRule(const QList<float> &values, float &homeMin, float &homeMax);

} // namespace SensitivityChartData
