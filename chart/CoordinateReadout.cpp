#include "chart/CoordinateReadout.h"

QString coordinateReadoutText(const QPointF &value)
{
    return QStringLiteral("(%1, %2)")
        .arg(QString::number(value.x(), 'f', 2), 0, QLatin1Char(' '))
        .arg(QString::number(value.y(), 'f', 3), 0, QLatin1Char(' '));
}
