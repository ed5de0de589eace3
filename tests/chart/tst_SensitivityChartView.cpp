#include "app/GlobalState.h"
#include "chart/ChartContextMenu.h"
#include "chart/CoordinateReadout.h"
#include "chart/SensitivityChartBuilder.h"
#include "chart/SensitivityChartView.h"

#include <QApplication>
#include <QTableWidget>
#include <QTranslator>
#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#include <QtTest>

using namespace QtCharts;

// Rebuilds on a real, shown view and drives it with synthesized events.
class TestSensitivityChartView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_view.resize(800, 400);
        m_view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_view));
    }

    void init() { m_table.setRowCount(0); }

    void rebuildDrawsSortedCurve()
    {
        addRow("1000.00", "2.000 Pc/ms^-2");
        addRow("500.00", "测试失败");
        addRow("100.00", "1.23456");
        const SensitivityChartBuilder::Parts parts = rebuild();

        QCOMPARE(m_view.chart(), parts.chart);
        QCOMPARE(parts.series->points(), (QList<QPointF>{{100, 1.234f}, {500, 0}, {1000, 2}}));
        QCOMPARE(parts.series->pen().width(), 2);
        QCOMPARE(parts.series->pen().color(), QColor(30, 144, 255));
        QCOMPARE(axis(Qt::Horizontal), parts.axisX);
        QCOMPARE(parts.axisX->labelFormat(), QString("%.2f"));
        QCOMPARE(axis(Qt::Vertical)->labelFormat(), QString("%.3f"));
        QCOMPARE(parts.series->attachedAxes().size(), 2);
        QCOMPARE(parts.axisX->max(), 1112.5);
        QCOMPARE(yAxisHomeMax, 2.25f);
    }

    void titles_data()
    {
        QTest::addColumn<int>("sensorType");
        QTest::addColumn<bool>("english");
        QTest::addColumn<QStringList>("titles");

        QTest::newRow("Chinese") << 1 << false
                                 << QStringList{"灵敏度/mms^-1", "频率/Hz", "频率-灵敏度曲线"};
        QTest::newRow("English") << 1 << true
                                 << QStringList{"sensitivity/mms^-1", "frequency/Hz",
                                                "frequency-sensitivity chart"};
        QTest::newRow("no sensor type")
            << -1 << false << QStringList{"", "频率/Hz", "频率-灵敏度曲线"};
    }

    void titles()
    {
        QFETCH(int, sensorType);
        QFETCH(bool, english);
        QTranslator translator;
        if (english) {
            QVERIFY(translator.load(":/lang/RT-58_zh_EN.qm"));
            QCoreApplication::installTranslator(&translator);
        }
        const SensitivityChartBuilder::Parts parts = rebuild(sensorType);
        QCoreApplication::removeTranslator(&translator);
        QTEST((QStringList{axis(Qt::Vertical)->titleText(), parts.axisX->titleText(),
                           parts.series->name()}),
              "titles");
    }

    // An empty table keeps the home ranges; the replaced chart is deleted.
    void rebuildFromEmptyTable()
    {
        QPointer<QChart> replaced = m_view.chart();
        xAxisHomeMax = 160;
        yAxisHomeMax = 5;
        const SensitivityChartBuilder::Parts parts = rebuild();
        QVERIFY(replaced.isNull());
        QCOMPARE(parts.series->count(), 0);
        QCOMPARE(parts.axisX->max(), 160.0);
        QCOMPARE(axis(Qt::Vertical)->max(), 5.0);
    }

    void wheelZooms_data()
    {
        QTest::addColumn<QPoint>("angleDelta");
        QTest::addColumn<qreal>("factor");
        QTest::newRow("up") << QPoint(0, 120) << 1.2;
        QTest::newRow("down") << QPoint(0, -120) << 0.8;
        QTest::newRow("sideways") << QPoint(120, 0) << 0.8;
    }

    void wheelZooms()
    {
        QFETCH(QPoint, angleDelta);
        QFETCH(qreal, factor);
        rebuildOnKnownRanges();
        sendWheel(angleDelta);
        const QValueAxis *axisX = axis(Qt::Horizontal);
        const QValueAxis *axisY = axis(Qt::Vertical);
        QCOMPARE(axisX->max() - axisX->min(), 1000 / factor);
        QCOMPARE(axisY->max() - axisY->min(), 2 / factor);
    }

    void pressesAndMovesAreSignalled()
    {
        QList<Qt::MouseButton> menuRequests;
        connect(&m_view, &SensitivityChartView::displayContextMenu, this,
                [&](QMouseEvent *event) { menuRequests << event->button(); });
        QSignalSpy moveSpy(&m_view, &SensitivityChartView::mouseMovePoint);

        for (Qt::MouseButton button : {Qt::LeftButton, Qt::MiddleButton, Qt::RightButton}) {
            sendMouse(QEvent::MouseButtonPress, button);
            sendMouse(QEvent::MouseButtonRelease, button);
        }
        sendMouse(QEvent::MouseMove, Qt::NoButton);
        QCOMPARE(menuRequests, QList<Qt::MouseButton>{Qt::RightButton});
        QCOMPARE(moveSpy.count(), 1);
        QCOMPARE(moveSpy.at(0).at(0).toPoint(), QPoint(321, 123));
    }

    // Pressed at the value point (500, 1.0) on the ranges [0, 1000] and [0, 2].
    void menuZoomsAboutPressedPoint_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("ranges");
        QTest::newRow("zoom in x") << 1 << "166.67 833.33 0.00 2.00";
        QTest::newRow("zoom out x") << 2 << "-250.00 1250.00 0.00 2.00";
        QTest::newRow("zoom in y") << 3 << "0.00 1000.00 0.33 1.67";
        QTest::newRow("zoom out y") << 4 << "0.00 1000.00 -0.50 2.50";
    }

    void menuZoomsAboutPressedPoint()
    {
        QFETCH(int, action);
        rebuildOnKnownRanges();
        const QMouseEvent press = rightPressAt(QPointF(500, 1.0));
        ChartContextMenu menu(&m_view, &press);
        menu.actions().at(action)->trigger();
        QCOMPARE(zoomMode, action - 1);
        QTEST(axisRangesText(), "ranges");

        menu.actions().at(0)->trigger();
        QCOMPARE(axis(Qt::Horizontal)->max(), qreal(xAxisHomeMax));
        QCOMPARE(axis(Qt::Vertical)->max(), qreal(yAxisHomeMax));
    }

    void menuTextsAreTranslated()
    {
        QTranslator translator;
        QVERIFY(translator.load(":/lang/RT-58_zh_EN.qm"));
        QCoreApplication::installTranslator(&translator);
        const QMouseEvent press = rightPressAt(QPointF());
        const ChartContextMenu menu(&m_view, &press);
        QCoreApplication::removeTranslator(&translator);
        QStringList texts;
        for (const QAction *action : menu.actions())
            texts << action->text();
        QCOMPARE(texts, (QStringList{"Restore", "Zoom in x-axis", "Zoom out x-axis",
                                     "Zoom in y-axis", "Zoom out y-axis"}));
    }

    // A timer stands in for the operator and picks "zoom in x" in any open menu.
    void popUpRunsForRightButtonOnly()
    {
        rebuildOnKnownRanges();
        int menusShown = 0;
        QTimer operatorHand;
        connect(&operatorHand, &QTimer::timeout, this, [&] {
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                ++menusShown;
                menu->actions().at(1)->trigger();
                menu->close();
            }
        });
        operatorHand.start(10);

        const QMouseEvent leftPress(QEvent::MouseButtonPress, QPointF(400, 200), Qt::LeftButton,
                                    Qt::LeftButton, Qt::NoModifier);
        ChartContextMenu::popUp(&m_view, &leftPress);
        QCOMPARE(menusShown, 0);
        const QMouseEvent rightPress = rightPressAt(QPointF(500, 1.0));
        ChartContextMenu::popUp(&m_view, &rightPress);
        QCOMPARE(menusShown, 1);
        QCOMPARE(axisRangesText(), QString("166.67 833.33 0.00 2.00"));
    }

    void coordinateReadout()
    {
        QCOMPARE(coordinateReadoutText(QPointF(123.456, 0.98765)), QString("(123.46, 0.988)"));
    }

private:
    void addRow(const QString &frequency, const QString &sensitivity)
    {
        const int row = m_table.rowCount();
        m_table.insertRow(row);
        m_table.setItem(row, 2, new QTableWidgetItem(frequency));
        m_table.setItem(row, 4, new QTableWidgetItem(sensitivity));
    }

    SensitivityChartBuilder::Parts rebuild(int sensorType = 0)
    {
        const auto parts = SensitivityChartBuilder(&m_table, sensorType, &m_view).build();
        QCoreApplication::processEvents();
        return parts;
    }

    void rebuildOnKnownRanges()
    {
        addRow("100.00", "1.000");
        rebuild();
        axis(Qt::Horizontal)->setRange(0, 1000);
        axis(Qt::Vertical)->setRange(0, 2);
    }

    QValueAxis *axis(Qt::Orientation orientation) const
    {
        return qobject_cast<QValueAxis *>(m_view.chart()->axes(orientation).value(0));
    }

    QString axisRangesText() const
    {
        QStringList bounds;
        for (const QValueAxis *valueAxis : {axis(Qt::Horizontal), axis(Qt::Vertical)})
            bounds << QString::number(valueAxis->min(), 'f', 2)
                   << QString::number(valueAxis->max(), 'f', 2);
        return bounds.join(' ');
    }

    QMouseEvent rightPressAt(const QPointF &value) const
    {
        return QMouseEvent(QEvent::MouseButtonPress, m_view.chart()->mapToPosition(value),
                           Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    }

    void sendMouse(QEvent::Type type, Qt::MouseButton button)
    {
        QMouseEvent event(type, QPointF(321, 123), button, button, Qt::NoModifier);
        QApplication::sendEvent(m_view.viewport(), &event);
    }

    void sendWheel(const QPoint &angleDelta)
    {
        QWheelEvent wheel(QPointF(400, 200), m_view.mapToGlobal(QPoint(400, 200)), QPoint(),
                          angleDelta, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_view.viewport(), &wheel);
    }

    SensitivityChartView m_view;
    QTableWidget m_table{0, 7};
};

QTEST_MAIN(TestSensitivityChartView)
#include "tst_SensitivityChartView.moc"
