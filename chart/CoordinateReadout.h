#pragma once

#include <QPointF>
#include <QString>

// Tool-tip text of the chart value under the mouse: frequency with 2 decimals,
// sensitivity with 3, as "(x, y)".
QString coordinateReadoutText(const QPointF &value);
