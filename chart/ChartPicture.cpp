#include "chart/ChartPicture.h"

#include "chart/SensitivityChartBuilder.h"

#include <QGraphicsScene>
#include <QPainter>
#include <QtCharts/QChart>

// The scene owns the chart; the chart lays itself out at once when resized.
QPixmap ChartPicture::ofTable(const QTableWidget *table, int sensorType, const QSize &size)
{
    QGraphicsScene scene;
    QtCharts::QChart *chart = SensitivityChartBuilder(table, sensorType).buildApart();
    scene.addItem(chart);
    chart->resize(size);
    QPixmap picture(size);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter, QRectF(QPointF(0, 0), size), QRectF(chart->pos(), QSizeF(size)));
    painter.end();
    return picture;
}
