// The window's geometry over runs in a row, on a real (virtual) X screen:
// each run's end grows the window by the chart panel and the next Start
// shrinks it back, never past the screen's available area; a maximised
// window keeps its geometry. CTest runs this program on a 1280×1024 and on a
// 1366×768 screen, and keeps pictures of the window and the screen.
#include "Workbench.h"

#include <QtTest>

#include <QScreen>

namespace {
constexpr int chartPanelStep = 245;
constexpr int collapsedHeight = 800 - chartPanelStep;
} // namespace

class TestWindowGeometry : public QObject
{
    Q_OBJECT

private slots:
    void runsInARow_data();
    void runsInARow();
};

void TestWindowGeometry::runsInARow_data()
{
    QTest::addColumn<bool>("maximised");
    QTest::newRow("normal window") << false;
    QTest::newRow("maximised window") << true;
}

void TestWindowGeometry::runsInARow()
{
    QFETCH(bool, maximised);
    QVERIFY2(QGuiApplication::platformName() == "xcb", "needs an X server: see CMakeLists.txt");
    Workbench bench;
    QVERIFY(QTest::qWaitForWindowExposed(&bench.window()));
    QVERIFY(bench.start(Workbench::simulator({"--resonance", "2500"})));
    for (const char *frequency : {"1000", "20", "160", "500", "2000"})
        bench.addPoint(QStringLiteral("10"), QString::fromLatin1(frequency));
    MainWindow &window = bench.window();
    const QRect available = window.screen()->availableGeometry();
    // Without a window manager nothing maximises the window: the test gives
    // it the geometry of a maximised one.
    if (maximised) {
        window.setGeometry(available);
        window.setWindowState(Qt::WindowMaximized);
        QTRY_COMPARE(window.geometry(), available);
    }
    const int collapsed = maximised ? available.height() : collapsedHeight;
    const int expanded =
        maximised ? available.height() : qMin(collapsedHeight + chartPanelStep, available.height());
    QCOMPARE(window.height(), collapsed);
    auto *chart = bench.widget("sensitivityGraphicsView");
    for (int run = 1; run <= 3; ++run) {
        int heightDuringRun = 0;
        bool chartDuringRun = true;
        bench.whenVibrateFrames(1, [&] {
            heightDuringRun = window.height();
            chartDuringRun = chart->isVisible();
        });
        bench.run();
        QCOMPARE(heightDuringRun, collapsed);
        QVERIFY(!chartDuringRun);
        // The X server has the last word on a window's geometry.
        QTRY_COMPARE(window.height(), expanded);
        Workbench::settle();
        QCOMPARE(window.height(), expanded);
        QVERIFY(chart->isVisible() && chart->height() > 0);
        QVERIFY(available.contains(window.frameGeometry()));
        for (const char *name : {"startBtn", "exitBtn"}) {
            const QWidget *button = bench.widget(name);
            QVERIFY2(available.contains(QRect(button->mapToGlobal(QPoint()), button->size())),
                     name);
        }
    }
    if (!maximised)
        QCOMPARE(window.x(), available.x() + (available.width() - window.width()) / 2);
    const QString file =
        QString("%1/window-%2-%3x%4.png")
            .arg(qEnvironmentVariable("RT58_BINARY_DIR"), maximised ? "maximised" : "after-run")
            .arg(window.screen()->size().width())
            .arg(window.screen()->size().height());
    QVERIFY(window.grab().save(file));
    QVERIFY(window.screen()->grabWindow(0).save(QString(file).replace("/window-", "/screen-")));
}

QTEST_MAIN(TestWindowGeometry)
#include "tst_window_geometry.moc"
