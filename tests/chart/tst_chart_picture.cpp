// The chart's picture for the reports, from a shown view: grabbed as it is
// when it fits the picture area, drawn again whole at the area's size when
// the view is larger.
#include "chart/ChartPicture.h"

#include <QVBoxLayout>
#include <QtCharts>
#include <QtTest>

using namespace QtCharts;

namespace {
const QColor curveColour(255, 0, 0);
const QSize area(950, 280);

// Columns of the picture that hold the curve's colour.
QPair<int, int> curveColumns(const QImage &image)
{
    int first = image.width();
    int last = -1;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixelColor(x, y) == curveColour) {
                first = qMin(first, x);
                last = x;
                break;
            }
        }
    }
    return {first, last};
}
} // namespace

class TestChartPicture : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_window.reset(new QWidget());
        auto *layout = new QVBoxLayout(m_window.data());
        layout->setContentsMargins(7, 31, 7, 7);
        m_view = new QChartView();
        layout->addWidget(m_view);
        auto *chart = new QChart();
        auto *series = new QLineSeries();
        series->append(10, 1);
        series->append(10000, 2);
        QPen pen(curveColour);
        pen.setWidth(3);
        series->setPen(pen);
        chart->addSeries(series);
        chart->createDefaultAxes();
        chart->legend()->hide();
        m_view->setChart(chart);
    }

    void picture_data()
    {
        QTest::addColumn<QSize>("viewSize");
        QTest::addColumn<QSize>("pictureSize");
        QTest::newRow("smaller: as shown") << QSize(600, 200) << QSize(600, 200);
        QTest::newRow("normal window") << QSize(1006, 243) << area;
        QTest::newRow("maximised window") << QSize(1900, 700) << area;
    }

    // The curve spans most of the picture, from the left axis to the end of
    // the plot area, and the chart on screen keeps its size.
    void picture()
    {
        QFETCH(QSize, viewSize);
        QFETCH(QSize, pictureSize);
        m_window->resize(viewSize + QSize(14, 38));
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.data()));
        QTRY_COMPARE(m_view->size(), viewSize);
        const QSizeF shownChart = m_view->chart()->size();
        const QImage image = ChartPicture::take(m_window.data(), m_view, area)
                                 .toImage()
                                 .convertToFormat(QImage::Format_RGB32);
        QCOMPARE(image.size(), pictureSize);
        const QPair<int, int> columns = curveColumns(image);
        QVERIFY2(columns.first < pictureSize.width() / 5 &&
                     columns.second > pictureSize.width() * 4 / 5,
                 qPrintable(QString("%1..%2").arg(columns.first).arg(columns.second)));
        QCOMPARE(m_view->chart()->size(), shownChart);
    }

private:
    QScopedPointer<QWidget> m_window;
    QChartView *m_view = nullptr;
};

QTEST_MAIN(TestChartPicture)
#include "tst_chart_picture.moc"
