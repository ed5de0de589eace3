// The window on a desktop: a real (virtual) X screen with the openbox window
// manager around the window. Each run's end grows the window by the chart
// panel and the next Start shrinks it back; the frame stays on the screen, the
// chart's axes stay readable, a maximised window keeps its geometry and comes
// back from its restore at the height it would have had, and the coordinate
// read-out follows the pointer. CTest runs this program once per screen size
// and scale factor.
#include "Workbench.h"

#include <QtTest>

#include <QGraphicsTextItem>
#include <QScreen>
#include <QToolTip>
#include <QtCharts/QChartView>

namespace {
constexpr int chartPanelStep = 245;
constexpr int collapsedHeight = 800 - chartPanelStep;
} // namespace

class TestWindowGeometry : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_bench.reset(); }
    void runsInARow_data();
    void runsInARow();
    void readoutFollowsThePointer();

private:
    MainWindow &window() { return m_bench->window(); }
    QRect available() { return window().screen()->availableGeometry(); }
    // The frame as the window manager announced it last.
    QRect frame()
    {
        return window().geometry().marginsAdded(window().windowHandle()->frameMargins());
    }
    // Screens of 720 logical pixels and more hold the whole window with a
    // readable chart; on a smaller one its title bar and left edge stay on it.
    bool holdsWindow() { return available().height() >= 720; }
    QtCharts::QChartView *chartView()
    {
        return m_bench->widget<QtCharts::QChartView>("sensitivityGraphicsView");
    }
    // Runs the scheme and returns the window's height while it ran; 0 if the
    // chart was shown while it ran.
    int runOnce();
    void verifyOnScreen();
    void verifyChartReadable();

    std::unique_ptr<Workbench> m_bench;
};

void TestWindowGeometry::init()
{
    QVERIFY2(QGuiApplication::platformName() == "xcb", "needs an X server: see CMakeLists.txt");
    m_bench = std::make_unique<Workbench>();
    QVERIFY(QTest::qWaitForWindowExposed(&window()));
    QVERIFY(m_bench->start(Workbench::simulator({"--resonance", "2500"})));
    for (const char *frequency : {"1000", "20", "160", "500", "2000"})
        m_bench->addPoint(QStringLiteral("10"), QString::fromLatin1(frequency));
}

int TestWindowGeometry::runOnce()
{
    int heightDuringRun = 0;
    const int sent = m_bench->frames("21 56").size();
    m_bench->whenVibrateFrames(
        sent + 1, [&] { heightDuringRun = chartView()->isVisible() ? 0 : window().height(); });
    m_bench->run();
    return heightDuringRun;
}

// The frame's title bar and left edge always lie on the screen; the whole
// frame, with Start/Stop and Exit at its foot, on a screen that holds it.
void TestWindowGeometry::verifyOnScreen()
{
    const QRect frame = this->frame();
    QString where;
    QDebug(&where) << "frame" << frame << "on" << available();
    QVERIFY2(available().contains(frame.topLeft()), qPrintable(where));
    if (!holdsWindow())
        return;
    QVERIFY2(available().contains(frame), qPrintable(where));
    for (const char *name : {"startBtn", "exitBtn"}) {
        const QWidget *button = m_bench->widget(name);
        QVERIFY2(available().contains(QRect(button->mapToGlobal(QPoint()), button->size())), name);
    }
}

// Every tick label and both axis titles are drawn whole, none cut to "...".
void TestWindowGeometry::verifyChartReadable()
{
    QVERIFY(chartView()->isVisible());
    QStringList elided;
    for (const QGraphicsItem *item : chartView()->scene()->items()) {
        const auto *text = dynamic_cast<const QGraphicsTextItem *>(item);
        if (text && text->isVisible() &&
            (text->toPlainText().contains("...") || text->toPlainText().contains(QChar(0x2026))))
            elided << text->toPlainText();
    }
    QVERIFY2(
        elided.isEmpty(),
        qPrintable(
            QString("chart %1 px high: %2").arg(chartView()->height()).arg(elided.join(", "))));
}

void TestWindowGeometry::runsInARow_data()
{
    QTest::addColumn<int>("runsBefore");
    QTest::addColumn<int>("runsMaximised");
    QTest::newRow("never maximised") << 3 << 0;
    QTest::newRow("maximised before the first run") << 0 << 1;
    QTest::newRow("maximised after a run") << 1 << 2;
}

// While maximised the window keeps its geometry and only shows and hides the
// chart; restored, it has the height that a run gives an unmaximised window.
void TestWindowGeometry::runsInARow()
{
    QFETCH(int, runsBefore);
    QFETCH(int, runsMaximised);
    if (runsMaximised > 0 && !holdsWindow())
        QSKIP("the window's layout is taller than a maximised window on this screen");
    const int startHeight = window().height();
    QVERIFY(startHeight <= collapsedHeight);
    verifyOnScreen();
    int expandedHeight = 0;
    for (int run = 0; run < runsBefore; ++run) {
        const int heightDuringRun = runOnce();
        if (run == 0 || holdsWindow())
            QCOMPARE(heightDuringRun, startHeight);
        // The window manager has the last word on a window's geometry.
        QTRY_VERIFY(window().height() > startHeight);
        Workbench::settle();
        if (run == 0)
            expandedHeight = window().height();
        QCOMPARE(window().height(), expandedHeight);
        verifyOnScreen();
        verifyChartReadable();
    }
    if (runsMaximised == 0) {
        if (holdsWindow()) {
            QVERIFY(expandedHeight == startHeight + chartPanelStep ||
                    frame().height() == available().height());
            QVERIFY(qAbs(frame().center().x() - available().center().x()) <= 1);
        }
        return;
    }
    window().showMaximized();
    QTRY_COMPARE(frame(), available());
    const QRect maximised = window().geometry();
    for (int run = 0; run < runsMaximised; ++run) {
        QCOMPARE(runOnce(), maximised.height());
        QTRY_VERIFY(chartView()->isVisible());
        Workbench::settle();
        QCOMPARE(window().windowState(), Qt::WindowMaximized);
        QCOMPARE(window().geometry(), maximised);
    }
    window().showNormal();
    QTRY_VERIFY(window().geometry() != maximised);
    Workbench::settle();
    const int restoredHeight = window().height();
    verifyOnScreen();
    verifyChartReadable();
    QCOMPARE(runOnce(), startHeight);
    QTRY_VERIFY(window().height() > startHeight);
    Workbench::settle();
    QCOMPARE(restoredHeight, window().height());
}

// Once the read-out shows, every move of the pointer gives it the values
// under the pointer at once, not only when the pointer comes to rest.
void TestWindowGeometry::readoutFollowsThePointer()
{
    runOnce();
    QTRY_VERIFY(chartView()->isVisible());
    Workbench::settle();
    QtCharts::QChart *chart = chartView()->chart();
    QWidget *viewport = chartView()->viewport();
    const auto at = [&](qreal frequency) {
        return chartView()->mapFromScene(chart->mapToPosition(QPointF(frequency, 1.0)));
    };
    QTest::mouseMove(viewport, at(500));
    QTRY_VERIFY(QToolTip::isVisible());
    QTRY_COMPARE(QToolTip::text(), chart->toolTip());
    const QString first = QToolTip::text();
    for (const qreal frequency : {700, 900, 1100}) {
        QMouseEvent move(QEvent::MouseMove, at(frequency), viewport->mapToGlobal(at(frequency)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        QCOMPARE(QToolTip::text(), chart->toolTip());
    }
    QVERIFY(QToolTip::text() != first);
}

QTEST_MAIN(TestWindowGeometry)
#include "tst_window_geometry.moc"
