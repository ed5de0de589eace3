// The frequency-sensitivity chart: rebuilt from a results table on a shown
// view, and zoomed by the wheel and the context menu. The report's picture
// of the table's chart is tried through the window's Export button.
#include "app/GlobalState.h"
#include "chart/ChartContextMenu.h"
#include "chart/CoordinateReadout.h"
#include "chart/SensitivityChartBuilder.h"
#include "chart/SensitivityChartView.h"

#include <QtCharts>
#include <QtTest>

using namespace QtCharts;

class TestChart : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void rebuild_data();
    void rebuild();
    void zoom_data();
    void zoom();

private:
    void rebuildFrom(const QString &rows);
    QValueAxis *axis(int i) const { return static_cast<QValueAxis *>(m_view.chart()->axes()[i]); }
    QString ranges() const;

    SensitivityChartView m_view;
    QTableWidget m_table{0, 7};
};

void TestChart::initTestCase()
{
    m_view.resize(800, 400);
    m_view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_view));
}

// Rows as "frequency|sensitivity;…", then the points plotted and the home
// ranges "xmin xmax ymin ymax". A rebuild deletes the chart it replaces.
void TestChart::rebuild_data()
{
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("plotted");
    QTest::newRow("one point at 100 Hz") << "100|1"
                                         << "100:1 => 0 112.5 0 1.125";
    QTest::newRow("10 and 1000 Hz: clamped at 0") << "10|1;1000|1"
                                                  << "10:1 1000:1 => 0 1123.75 0 1.125";
    QTest::newRow("every point failed") << "100|测试失败;200|测试失败"
                                        << "100:0 200:0 => 87.5 212.5 0 0";
    // Sensitivities are cut after three decimals, or to three characters
    // without a point; what does not convert plots as 0.
    QTest::newRow("descending rows, cut texts")
        << "1000.00|1.23456;500.00|12;160.00|12345;20.00|inf Pc/ms^-2;|1.000"
        << "0:1 20:0 160:123 500:12 1000:1.234 => 0 1125 0 138.375";
}

void TestChart::rebuild()
{
    QFETCH(QString, rows);
    const QPointer<QChart> replaced = m_view.chart();
    rebuildFrom(rows);
    QVERIFY(replaced.isNull());
    QStringList points;
    for (const QPointF &point : static_cast<QLineSeries *>(m_view.chart()->series()[0])->points())
        points << QString::asprintf("%g:%g", point.x(), point.y());
    QTEST(points.join(' ') + QString::asprintf(" => %g %g %g %g", xAxisHomeMin, xAxisHomeMax,
                                               yAxisHomeMin, yAxisHomeMax),
          "plotted");
}

// On the axes [0, 1000] and [0, 2]: a wheel step, or an entry of the menu
// of a right press on the value point (500, 1.0); only the right press asks
// for the menu, and its first entry, "还原", brings back the home ranges.
void TestChart::zoom_data()
{
    QTest::addColumn<int>("wheel");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("ranges");
    QTest::newRow("wheel up: 1.2") << 120 << 0 << "83.3333 916.667 0.166667 1.83333";
    QTest::newRow("wheel down: 0.8") << -120 << 0 << "-125 1125 -0.25 2.25";
    QTest::newRow("沿X轴放大") << 0 << 1 << "166.667 833.333 0 2";
    QTest::newRow("沿Y轴缩小") << 0 << 4 << "0 1000 -0.5 2.5";
}

void TestChart::zoom()
{
    QFETCH(int, wheel);
    QFETCH(int, entry);
    rebuildFrom("100|1");
    axis(0)->setRange(0, 1000);
    axis(1)->setRange(0, 2);
    QSignalSpy menuAsked(&m_view, &SensitivityChartView::displayContextMenu);
    const QPointF point = m_view.chart()->mapToPosition(QPointF(500, 1.0));
    QMouseEvent press(QEvent::MouseButtonPress, point, Qt::LeftButton, Qt::LeftButton, {});
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::MiddleButton, Qt::RightButton}) {
        press = QMouseEvent(QEvent::MouseButtonPress, point, button, button, {});
        QApplication::sendEvent(m_view.viewport(), &press);
    }
    QCOMPARE(menuAsked.count(), 1);
    QWheelEvent step(QPointF(400, 200), m_view.mapToGlobal(QPoint(400, 200)), QPoint(),
                     QPoint(0, wheel), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    if (wheel)
        QApplication::sendEvent(m_view.viewport(), &step);
    else
        ChartContextMenu(&m_view, &press).actions().at(entry)->trigger();
    QTEST(ranges(), "ranges");
    ChartContextMenu(&m_view, &press).actions().at(0)->trigger();
    QCOMPARE(ranges(), "0 112.5 0 1.125");
    QCOMPARE(coordinateReadoutText(QPointF(123.456, 0.98765)), QString("(123.46, 0.988)"));
}

void TestChart::rebuildFrom(const QString &rows)
{
    const QStringList cells = rows.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    m_table.setRowCount(cells.size());
    for (int row = 0; row < cells.size(); ++row) {
        m_table.setItem(row, 2, new QTableWidgetItem(cells.at(row).section('|', 0, 0)));
        m_table.setItem(row, 4, new QTableWidgetItem(cells.at(row).section('|', 1)));
    }
    SensitivityChartBuilder(&m_table, 0, &m_view).build();
    QCoreApplication::processEvents();
}

// "xmin xmax ymin ymax" of the axes shown.
QString TestChart::ranges() const
{
    return QString::asprintf("%g %g %g %g", axis(0)->min(), axis(0)->max(), axis(1)->min(),
                             axis(1)->max());
}

QTEST_MAIN(TestChart)
#include "tst_chart.moc"
