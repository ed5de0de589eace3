// The frequency-sensitivity chart rebuilt from a results table on a real,
// shown view, and the view driven by synthesized mouse and wheel events.
#include "app/GlobalState.h"
#include "chart/ChartContextMenu.h"
#include "chart/CoordinateReadout.h"
#include "chart/SensitivityChartBuilder.h"
#include "chart/SensitivityChartView.h"

#include <QtCharts>
#include <QtTest>

using namespace QtCharts;

class TestSensitivityChart : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_view.resize(800, 400);
        m_view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_view));
        // Only a right press may ask for the menu.
        connect(&m_view, &SensitivityChartView::displayContextMenu, this,
                [this](QMouseEvent *event) {
                    QVERIFY(event->button() == Qt::RightButton);
                    ChartContextMenu::popUp(&m_view, event);
                });
        // Stands in for the operator: picks entry m_pick of any menu that opens.
        connect(&m_operatorHand, &QTimer::timeout, this, [this] {
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                menu->actions().at(m_pick)->trigger();
                menu->close();
            }
        });
        m_operatorHand.start(10);
    }

    // "table => points => home ranges": table rows as "frequency|sensitivity;…",
    // points as "x:y …", ranges as "xmin xmax ymin ymax". A rebuild from an
    // empty table then deletes the chart it replaces and keeps the home ranges.
    void rebuild_data()
    {
        QTest::addColumn<QString>("example");
        const auto row = [](const char *name, const char *example) {
            QTest::newRow(name) << QString(example);
        };
        row("one point at 100 Hz", "100|1 => 100:1 => 0 112.5 0 1.125");
        row("500 and 1000 Hz", "500|1;1000|2 => 500:1 1000:2 => 437.5 1062.5 0.875 2.125");
        row("10 and 1000 Hz: clamped at 0", "10|1;1000|1 => 10:1 1000:1 => 0 1123.75 0 1.125");
        row("all at one frequency", "160|1;160|2 => 160:1 160:2 => 0 180 0.875 2.125");
        row("every point failed", "100|测试失败;200|测试失败 => 100:0 200:0 => 87.5 212.5 0 0");
        // Sensitivities are cut after three decimals, or to three characters
        // without a point; what does not convert plots as 0.
        row("descending rows, cut texts",
            "1000.00|1.23456;500.00|12;160.00|12345;100.00|测试失败;20.00|inf Pc/ms^-2;|1.000"
            " => 0:1 20:0 100:0 160:123 500:12 1000:1.234 => 0 1125 0 138.375");
    }

    void rebuild()
    {
        QFETCH(QString, example);
        rebuildFrom(example.section(" => ", 0, 0));
        QCOMPARE(plotted(), example.section(" => ", 1));
        const QPointer<QChart> replaced = m_view.chart();
        rebuildFrom(QString());
        QVERIFY(replaced.isNull());
        QCOMPARE(ranges(true), example.section(" => ", 2));
    }

    // Axis titles, the curve's name and the context menu, joined by "|".
    void texts_data()
    {
        QTest::addColumn<int>("sensorType");
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("texts");
        const QString menu = QStringLiteral("|还原|沿X轴放大|沿X轴缩小|沿Y轴放大|沿Y轴缩小");
        QTest::newRow("Chinese") << 1 << false << "灵敏度/mms^-1|频率/Hz|频率-灵敏度曲线" + menu;
        QTest::newRow("English")
            << 1 << true
            << QString("sensitivity/mms^-1|frequency/Hz|frequency-sensitivity chart|Restore|"
                       "Zoom in x-axis|Zoom out x-axis|Zoom in y-axis|Zoom out y-axis");
        QTest::newRow("no sensor type") << -1 << false << "|频率/Hz|频率-灵敏度曲线" + menu;
    }

    void texts()
    {
        QFETCH(int, sensorType);
        QFETCH(bool, english);
        QTranslator translator;
        QVERIFY(!english || translator.load(":/lang/RT-58_zh_EN.qm"));
        QCoreApplication::installTranslator(&translator);
        rebuildFrom("100|1", sensorType);
        const QMouseEvent press(QEvent::MouseButtonPress, QPointF(), Qt::RightButton,
                                Qt::RightButton, Qt::NoModifier);
        const ChartContextMenu menu(&m_view, &press);
        QCoreApplication::removeTranslator(&translator);
        QStringList texts{axis(1)->titleText(), axis(0)->titleText(), curve()->name()};
        for (const QAction *action : menu.actions())
            texts << action->text();
        QTEST(texts.join('|'), "texts");
    }

    // On the axes [0, 1000] and [0, 2]: left and middle presses, which ask for
    // no menu, then a wheel step, or a right press on the value point (500, 1.0)
    // and a menu entry; then "还原" brings back the home ranges of the rebuild.
    void zoom_data()
    {
        QTest::addColumn<QPoint>("wheel");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("ranges");
        QTest::newRow("wheel up: 1.2") << QPoint(0, 120) << 0 << "83.3333 916.667 0.166667 1.83333";
        QTest::newRow("wheel down: 0.8") << QPoint(0, -120) << 0 << "-125 1125 -0.25 2.25";
        QTest::newRow("wheel sideways: 0.8") << QPoint(120, 0) << 0 << "-125 1125 -0.25 2.25";
        QTest::newRow("沿X轴放大") << QPoint() << 1 << "166.667 833.333 0 2";
        QTest::newRow("沿X轴缩小") << QPoint() << 2 << "-250 1250 0 2";
        QTest::newRow("沿Y轴放大") << QPoint() << 3 << "0 1000 0.333333 1.66667";
        QTest::newRow("沿Y轴缩小") << QPoint() << 4 << "0 1000 -0.5 2.5";
    }

    void zoom()
    {
        QFETCH(QPoint, wheel);
        QFETCH(int, entry);
        rebuildFrom("100|1");
        QCOMPARE(ranges(false), QString("0 112.5 0 1.125"));
        axis(0)->setRange(0, 1000);
        axis(1)->setRange(0, 2);
        QWheelEvent wheelEvent(QPointF(400, 200), m_view.mapToGlobal(QPoint(400, 200)), QPoint(),
                               wheel, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        m_pick = entry;
        press(Qt::LeftButton);
        press(Qt::MiddleButton);
        if (!wheel.isNull())
            QApplication::sendEvent(m_view.viewport(), &wheelEvent);
        else
            press(Qt::RightButton);
        QTEST(ranges(false), "ranges");
        m_pick = 0;
        press(Qt::RightButton);
        QCOMPARE(ranges(false), ranges(true));
    }

    // A move reports its position; the tool tip shows the value under it.
    void coordinateReadout()
    {
        QSignalSpy moves(&m_view, &SensitivityChartView::mouseMovePoint);
        QTest::mouseMove(m_view.viewport(), QPoint(321, 123));
        QCOMPARE(moves.value(0).value(0).toPoint(), QPoint(321, 123));
        QCOMPARE(coordinateReadoutText(QPointF(123.456, 0.98765)), QString("(123.46, 0.988)"));
    }

private:
    void rebuildFrom(const QString &rows, int sensorType = 0)
    {
        const QStringList cells = rows.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        m_table.setRowCount(cells.size());
        for (int row = 0; row < cells.size(); ++row) {
            m_table.setItem(row, 2, new QTableWidgetItem(cells.at(row).section('|', 0, 0)));
            m_table.setItem(row, 4, new QTableWidgetItem(cells.at(row).section('|', 1)));
        }
        SensitivityChartBuilder(&m_table, sensorType, &m_view).build();
        QCoreApplication::processEvents();
    }

    QAbstractSeries *curve() const { return m_view.chart()->series()[0]; }
    QValueAxis *axis(int i) const { return static_cast<QValueAxis *>(m_view.chart()->axes()[i]); }

    // "xmin xmax ymin ymax" of the home ranges, or of the axes shown.
    QString ranges(bool home) const
    {
        if (home)
            return QString::asprintf("%g %g %g %g", xAxisHomeMin, xAxisHomeMax, yAxisHomeMin,
                                     yAxisHomeMax);
        return QString::asprintf("%g %g %g %g", axis(0)->min(), axis(0)->max(), axis(1)->min(),
                                 axis(1)->max());
    }

    // "x:y …" of the curve, then " => " and the home ranges.
    QString plotted() const
    {
        QStringList points;
        for (const QPointF &point : static_cast<QLineSeries *>(curve())->points())
            points << QString::asprintf("%g:%g", point.x(), point.y());
        return points.join(' ') + " => " + ranges(true);
    }

    void press(Qt::MouseButton button)
    {
        QMouseEvent event(QEvent::MouseButtonPress,
                          m_view.chart()->mapToPosition(QPointF(500, 1.0)), button, button,
                          Qt::NoModifier);
        QApplication::sendEvent(m_view.viewport(), &event);
    }

    SensitivityChartView m_view;
    QTableWidget m_table{0, 7};
    QTimer m_operatorHand;
    int m_pick = 0;
};

QTEST_MAIN(TestSensitivityChart)
#include "tst_SensitivityChart.moc"
