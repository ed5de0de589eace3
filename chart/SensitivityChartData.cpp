#include "chart/SensitivityChartData.h"

#include <QTableWidget>
#include <QtMath>

#include <algorithm>

namespace {
constexpr int frequencyColumn = 2;
constexpr int sensitivityColumn = 4;
constexpr int sensitivityDecimals = 3;
constexpr double rangeMargin = 0.125;

QString cellText(const QTableWidget *table, int row, int column)
{
    const QTableWidgetItem *item = table->item(row, column);
    return item ? item->text() : QString();
}
} // namespace

namespace SensitivityChartData {

float numberFromText(const QString &text)
{
    bool ok = false;
    const float value = text.toFloat(&ok);
    return ok && qIsFinite(value) ? value : 0.0f;
}

QString cutSensitivityText(const QString &text)
{
    const int point = text.indexOf(QLatin1Char('.'));
    return text.left(point + 1 + sensitivityDecimals);
}

void readTable(const QTableWidget *table, QList<float> &frequencies, QList<float> &sensitivities)
{
    frequencies.clear();
    sensitivities.clear();
    const int rowCount = table->rowCount();
    frequencies.reserve(rowCount);
    sensitivities.reserve(rowCount);
    for (int row = 0; row < rowCount; ++row) {
        frequencies.append(numberFromText(cellText(table, row, frequencyColumn)));
        sensitivities.append(
            numberFromText(cutSensitivityText(cellText(table, row, sensitivityColumn))));
    }
}

void sortByFrequency(QList<float> &frequencies, QList<float> &sensitivities)
{
    const int count = frequencies.size();
    for (int i = 0; i < count; ++i) {
        for (int j = i + 1; j < count; ++j) {
            if (frequencies.at(i) > frequencies.at(j)) {
                frequencies.swapItemsAt(i, j);
                sensitivities.swapItemsAt(i, j);
            }
        }
    }
}

void applyRangeRule(const QList<float> &values, float &homeMin, float &homeMax)
{
    if (values.isEmpty())
        return;
    const auto [lowest, highest] = std::minmax_element(values.cbegin(), values.cend());
    const float span = *highest - *lowest;
    const double margin = span * rangeMargin;
    homeMin = static_cast<float>(qMax(0.0, *lowest - margin));
    homeMax = static_cast<float>(*highest + margin);
    if (qFuzzyCompare(homeMin, homeMax)) {
        homeMin = 0;
        homeMax = static_cast<float>(homeMax + homeMax * rangeMargin);
    }
}

} // namespace SensitivityChartData
