#include "chart/SensitivityChartView.h"

#include "app/GlobalState.h"

#include <QGraphicsView>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QtCharts/QValueAxis>

using QtCharts::QValueAxis;

namespace {
constexpr qreal wheelZoomIn = 1.2;
constexpr qreal wheelZoomOut = 0.8;
constexpr qreal axisZoomIn = 2.0 / 3.0;
constexpr qreal axisZoomOut = 1.5;

// Scales the axis span by factor, keeping the value centre at its place.
void scaleAxisAbout(QValueAxis *axis, qreal centre, qreal factor)
{
    axis->setRange(centre - (centre - axis->min()) * factor,
                   centre + (axis->max() - centre) * factor);
}
} // namespace

SensitivityChartView::SensitivityChartView(QWidget *parent) : QtCharts::QChartView(parent)
{
    setAttribute(Qt::WA_MouseTracking);
    setMinimumHeight(readableHeight);
}

void SensitivityChartView::restoreAxisRanges()
{
    QValueAxis *axisX = valueAxis(Qt::Horizontal);
    QValueAxis *axisY = valueAxis(Qt::Vertical);
    if (axisX)
        axisX->setRange(xAxisHomeMin, xAxisHomeMax);
    if (axisY)
        axisY->setRange(yAxisHomeMin, yAxisHomeMax);
}

// Zooms one axis about the value under the pressed point, as zoomMode says:
// 0 and 1 zoom the frequency axis in and out, 2 and 3 the sensitivity axis.
void SensitivityChartView::zoomAlongAxis(const QMouseEvent *event)
{
    QValueAxis *axisX = valueAxis(Qt::Horizontal);
    QValueAxis *axisY = valueAxis(Qt::Vertical);
    if (!axisX || !axisY)
        return;
    const QPointF value = chart()->mapToValue(event->localPos());
    switch (zoomMode) {
    case 0:
        scaleAxisAbout(axisX, value.x(), axisZoomIn);
        break;
    case 1:
        scaleAxisAbout(axisX, value.x(), axisZoomOut);
        break;
    case 2:
        scaleAxisAbout(axisY, value.y(), axisZoomIn);
        break;
    case 3:
        scaleAxisAbout(axisY, value.y(), axisZoomOut);
        break;
    default:
        break;
    }
}

void SensitivityChartView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton)
        emit displayContextMenu(event);
    QChartView::mousePressEvent(event);
}

void SensitivityChartView::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMovePoint(event->pos());
    QChartView::mouseMoveEvent(event);
}

// Wheel up zooms in; wheel down and a purely horizontal step zoom out.
void SensitivityChartView::wheelEvent(QWheelEvent *event)
{
    chart()->zoom(event->angleDelta().y() > 0 ? wheelZoomIn : wheelZoomOut);
    QGraphicsView::wheelEvent(event);
}

QValueAxis *SensitivityChartView::valueAxis(Qt::Orientation orientation) const
{
    const QList<QtCharts::QAbstractAxis *> axes = chart()->axes(orientation);
    return axes.isEmpty() ? nullptr : qobject_cast<QValueAxis *>(axes.first());
}
