// The window on a desktop: a real (virtual) X screen with the openbox window
// manager around the window. Each run's end grows the window by the chart
// panel and the next Start shrinks it back; the frame stays on the screen, the
// chart's axes stay readable, a maximised window comes back from its restore
// at the height it would have had, and the coordinate read-out follows the
// pointer. CTest runs this program once per screen size and scale factor.
#include "SimProcess.h"
#include "WorkbenchDriver.h"
#include "app/GlobalState.h"

#include <QtTest>

#include <QGraphicsTextItem>
#include <QScreen>
#include <QTemporaryDir>
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
    void initTestCase();
    void init();
    void cleanup();
    void runsInARowKeepTheFrameOnScreen();
    void maximisedThenRestored_data();
    void maximisedThenRestored();
    void readoutFollowsThePointer();

private:
    QRect available() const { return m_window->screen()->availableGeometry(); }
    // The frame as the window manager announced it last.
    QRect frame() const
    {
        return m_window->geometry().marginsAdded(m_window->windowHandle()->frameMargins());
    }
    // Screens of 720 logical pixels and more hold the whole window with a
    // readable chart; on a smaller one its title bar and left edge stay on it.
    bool holdsWindow() const { return available().height() >= 720; }
    QtCharts::QChartView *chartView() const
    {
        return m_driver->widget<QtCharts::QChartView>("sensitivityGraphicsView");
    }
    // Runs the scheme; while it runs, notes the window's height and
    // whether the chart is shown.
    void runOnce(int *heightDuringRun = nullptr, bool *chartShownDuringRun = nullptr);
    void verifyOnScreen();
    void verifyChartReadable();
    void keepPicture(const QString &name);

    QTemporaryDir m_dir;
    QString m_link;
    SimProcess m_sim;
    MainWindow *m_window = nullptr;
    WorkbenchDriver *m_driver = nullptr;
};

void TestWindowGeometry::initTestCase()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X server: the offscreen screen is smaller than the window");
    m_link = m_dir.filePath(QStringLiteral("ttyRT58"));
    qputenv("RT58_EXTRA_PORTS", m_link.toLocal8Bit());
    QVERIFY(m_sim.start(m_link, {"--resonance", "2500"}));
}

void TestWindowGeometry::init()
{
    m_window = new MainWindow();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    m_driver = new WorkbenchDriver(*m_window);
    QVERIFY(m_driver->connectTo(m_link));
    for (const char *frequency : {"1000", "20", "160", "500", "2000"})
        m_driver->addPoint(QStringLiteral("10"), QString::fromLatin1(frequency));
}

void TestWindowGeometry::cleanup()
{
    m_driver->click("disconnectBtn");
    QTRY_VERIFY(!serialPort);
    delete m_driver;
    m_driver = nullptr;
    delete m_window;
    m_window = nullptr;
}

void TestWindowGeometry::runOnce(int *heightDuringRun, bool *chartShownDuringRun)
{
    QTimer::singleShot(20, m_window, [=] {
        if (heightDuringRun)
            *heightDuringRun = m_window->height();
        if (chartShownDuringRun)
            *chartShownDuringRun = chartView()->isVisible();
    });
    m_driver->click("startBtn");
    QApplication::processEvents();
}

// The frame's title bar and left edge always lie on the screen; the whole
// frame, with Start/Stop and Exit at its foot, on a screen that holds it.
void TestWindowGeometry::verifyOnScreen()
{
    const QRect frame = this->frame();
    const QString where = QStringLiteral("frame %1,%2 %3×%4 on %5×%6")
                              .arg(frame.x())
                              .arg(frame.y())
                              .arg(frame.width())
                              .arg(frame.height())
                              .arg(available().width())
                              .arg(available().height());
    QVERIFY2(available().contains(frame.topLeft()), qPrintable(where));
    if (!holdsWindow())
        return;
    QVERIFY2(available().contains(frame), qPrintable(where));
    for (const char *name : {"startBtn", "exitBtn"}) {
        const auto *button = m_driver->widget<QPushButton>(name);
        const QRect onScreen(button->mapToGlobal(QPoint(0, 0)), button->size());
        QVERIFY2(available().contains(onScreen), name);
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
            (text->toPlainText().contains(QLatin1String("...")) ||
             text->toPlainText().contains(QChar(0x2026))))
            elided << text->toPlainText();
    }
    QVERIFY2(elided.isEmpty(), qPrintable(QStringLiteral("chart %1 px high: %2")
                                              .arg(chartView()->height())
                                              .arg(elided.join(QLatin1String(", ")))));
}

// Pictures of the whole screen and of the window, kept as build artifacts
// for a person to look at.
void TestWindowGeometry::keepPicture(const QString &name)
{
    QTest::qWait(200);
    const QSize size = m_window->screen()->size();
    const QString file = QStringLiteral("%1/%2-%3x%4@%5.png")
                             .arg(qEnvironmentVariable("RT58_BINARY_DIR"), name)
                             .arg(size.width())
                             .arg(size.height())
                             .arg(m_window->devicePixelRatioF());
    QVERIFY(m_window->grab().save(file));
    QVERIFY(m_window->screen()->grabWindow(0).save(
        QString(file).replace(QLatin1String("/window-"), QLatin1String("/screen-"))));
}

void TestWindowGeometry::runsInARowKeepTheFrameOnScreen()
{
    const int startHeight = m_window->height();
    QVERIFY(startHeight <= collapsedHeight);
    verifyOnScreen();
    int expandedHeight = 0;
    for (int run = 1; run <= 3; ++run) {
        int heightDuringRun = 0;
        bool chartShownDuringRun = true;
        runOnce(&heightDuringRun, &chartShownDuringRun);
        if (run == 1 || holdsWindow())
            QCOMPARE(heightDuringRun, startHeight);
        QVERIFY(!chartShownDuringRun);
        // The window manager has the last word on a window's geometry.
        QTRY_VERIFY(m_window->height() > startHeight);
        QTest::qWait(100);
        if (run == 1)
            expandedHeight = m_window->height();
        QCOMPARE(m_window->height(), expandedHeight);
        verifyOnScreen();
        verifyChartReadable();
    }
    const QRect frame = this->frame();
    if (holdsWindow()) {
        QVERIFY(m_window->height() == startHeight + chartPanelStep ||
                frame.height() == available().height());
        QVERIFY(qAbs(frame.center().x() - available().center().x()) <= 1);
    }
    keepPicture(QStringLiteral("window-after-run"));
}

void TestWindowGeometry::maximisedThenRestored_data()
{
    QTest::addColumn<int>("runsBefore");
    QTest::addColumn<int>("runsMaximised");
    QTest::newRow("maximised before the first run") << 0 << 1;
    QTest::newRow("maximised after a run") << 1 << 2;
}

// While maximised the window keeps its geometry and only shows and hides the
// chart; restored, it has the height that a run gives an unmaximised window.
void TestWindowGeometry::maximisedThenRestored()
{
    QFETCH(int, runsBefore);
    QFETCH(int, runsMaximised);
    if (!holdsWindow())
        QSKIP("the window's layout is taller than a maximised window on this screen");
    const int startHeight = m_window->height();
    for (int run = 0; run < runsBefore; ++run) {
        runOnce();
        QTRY_VERIFY(m_window->height() > startHeight);
    }
    m_window->showMaximized();
    QTRY_COMPARE(frame(), available());
    const QRect maximised = m_window->geometry();
    for (int run = 0; run < runsMaximised; ++run) {
        int heightDuringRun = 0;
        bool chartShownDuringRun = true;
        runOnce(&heightDuringRun, &chartShownDuringRun);
        QCOMPARE(heightDuringRun, maximised.height());
        QVERIFY(!chartShownDuringRun);
        QTRY_VERIFY(chartView()->isVisible());
        QTest::qWait(100);
        QCOMPARE(m_window->windowState(), Qt::WindowMaximized);
        QCOMPARE(m_window->geometry(), maximised);
    }
    keepPicture(QStringLiteral("window-maximised"));

    m_window->showNormal();
    QTRY_VERIFY(m_window->geometry() != maximised);
    QTest::qWait(200);
    const int restoredHeight = m_window->height();
    verifyOnScreen();
    verifyChartReadable();
    int heightDuringRun = 0;
    runOnce(&heightDuringRun);
    QCOMPARE(heightDuringRun, startHeight);
    QTRY_VERIFY(m_window->height() > startHeight);
    QTest::qWait(100);
    QCOMPARE(restoredHeight, m_window->height());
}

// Once the read-out shows, every move of the pointer gives it the values
// under the pointer at once, not only when the pointer comes to rest.
void TestWindowGeometry::readoutFollowsThePointer()
{
    runOnce();
    QTRY_VERIFY(chartView()->isVisible());
    QTest::qWait(100);
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
