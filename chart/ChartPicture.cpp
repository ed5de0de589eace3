#include "chart/ChartPicture.h"

#include <QPainter>
#include <QWidget>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>

QPixmap ChartPicture::take(QWidget *window, QtCharts::QChartView *view, const QSize &area)
{
    const QSize shown = view->frameGeometry().size();
    if (view->isVisible() && view->chart() &&
        (shown.width() > area.width() || shown.height() > area.height()))
        return render(view, area);
    return window->grab(QRect(view->mapTo(window, QPoint(0, 0)), shown));
}

// The chart lays itself out at once when resized; nothing is painted on
// screen before its size is given back.
QPixmap ChartPicture::render(QtCharts::QChartView *view, const QSize &size)
{
    QtCharts::QChart *chart = view->chart();
    const QSizeF shownSize = chart->size();
    chart->resize(size);
    QPixmap picture(size);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    view->scene()->render(&painter, QRectF(QPointF(0, 0), size),
                          QRectF(chart->pos(), QSizeF(size)));
    painter.end();
    chart->resize(shownSize);
    return picture;
}
