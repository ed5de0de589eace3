// The frequency-sensitivity chart rebuilt from a results table on a shown
// view. The report's picture of the table's chart is tried through the
// window's Export button, the read-out on a desktop (tst_window_geometry).
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
    void zoomAboutThePressedPoint_data();
    void zoomAboutThePressedPoint();

private:
    void rebuildFrom(const QString &rows);

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
// ranges "xmin xmax ymin ymax". A rebuild deletes the chart it replaces. The
// read-out shows a point's coordinates to two and three decimals.
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
    QCOMPARE(coordinateReadoutText(QPointF(123.456, 0.98765)), QString("(123.46, 0.988)"));
}

void TestChart::zoomAboutThePressedPoint_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("ranges");
    QTest::newRow("in along X") << "沿X轴放大"
                                << "33.3333 108.333 0 1.125";
    QTest::newRow("out along X") << "沿X轴缩小"
                                 << "-50 118.75 0 1.125";
    QTest::newRow("in along Y") << "沿Y轴放大"
                                << "0 112.5 0.25 1";
    QTest::newRow("out along Y") << "沿Y轴缩小"
                                 << "0 112.5 -0.375 1.3125";
}

// A menu's zoom scales one axis about the value where the right button was
// pressed, even when the press is long gone; 还原 brings the home ranges back.
void TestChart::zoomAboutThePressedPoint()
{
    QFETCH(QString, action);
    rebuildFrom("100|1");
    auto axis = [this](Qt::Orientation orientation) {
        return static_cast<QValueAxis *>(m_view.chart()->axes(orientation).first());
    };
    auto ranges = [&] {
        return QString::asprintf("%g %g %g %g", axis(Qt::Horizontal)->min(),
                                 axis(Qt::Horizontal)->max(), axis(Qt::Vertical)->min(),
                                 axis(Qt::Vertical)->max());
    };
    const QPointF pressed = m_view.chart()->mapToPosition(QPointF(100, 0.75));
    auto *press = new QMouseEvent(QEvent::MouseButtonPress, pressed, Qt::RightButton,
                                  Qt::RightButton, Qt::NoModifier);
    ChartContextMenu menu(&m_view, press);
    delete press;
    const QList<QAction *> actions = menu.actions();
    auto trigger = [&](const QString &text) {
        for (QAction *entry : actions)
            if (entry->text() == text)
                entry->trigger();
    };
    trigger(action);
    QTEST(ranges(), "ranges");
    trigger("还原");
    QCOMPARE(ranges(), QString("0 112.5 0 1.125"));
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

QTEST_MAIN(TestChart)
#include "tst_chart.moc"
