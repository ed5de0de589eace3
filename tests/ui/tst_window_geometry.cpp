// The window's height over runs in a row, on a real (virtual) X screen: each
// run's end grows the window by the chart panel and the next Start shrinks it
// back, never past the screen's available area. CTest runs this program on a
// 1280×1024 and on a 1366×768 screen.
#include "SimProcess.h"
#include "WorkbenchDriver.h"
#include "app/GlobalState.h"

#include <QtTest>

#include <QScreen>
#include <QTemporaryDir>

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
    void runsInARowGrowAndShrinkByThePanel();
    void maximisedWindowKeepsItsGeometry();

private:
    QRect available() const { return m_window->screen()->availableGeometry(); }
    // Runs the scheme; while it runs, notes the window's height and
    // whether the chart is shown.
    void runOnce(int *heightDuringRun, bool *chartShownDuringRun);
    void verifyOnScreen();
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
        *heightDuringRun = m_window->height();
        *chartShownDuringRun =
            m_window->findChild<QWidget *>("sensitivityGraphicsView")->isVisible();
    });
    m_driver->click("startBtn");
    QApplication::processEvents();
}

// The whole window, with Start/Stop and Exit at its foot, lies in the
// screen's available area.
void TestWindowGeometry::verifyOnScreen()
{
    QVERIFY2(available().contains(m_window->frameGeometry()),
             qPrintable(QStringLiteral("window %1,%2 %3×%4 on %5×%6")
                            .arg(m_window->x())
                            .arg(m_window->y())
                            .arg(m_window->width())
                            .arg(m_window->height())
                            .arg(available().width())
                            .arg(available().height())));
    for (const char *name : {"startBtn", "exitBtn"}) {
        const auto *button = m_driver->widget<QPushButton>(name);
        const QRect onScreen(button->mapToGlobal(QPoint(0, 0)), button->size());
        QVERIFY2(available().contains(onScreen), name);
    }
}

// Pictures of the whole screen and of the window, kept as build artifacts
// for a person to look at.
void TestWindowGeometry::keepPicture(const QString &name)
{
    QTest::qWait(200);
    const QSize size = m_window->screen()->size();
    const QString file = QStringLiteral("%1/%2-%3x%4.png")
                             .arg(qEnvironmentVariable("RT58_BINARY_DIR"), name)
                             .arg(size.width())
                             .arg(size.height());
    QVERIFY(m_window->grab().save(file));
    QVERIFY(m_window->screen()->grabWindow(0).save(
        QString(file).replace(QLatin1String("/window-"), QLatin1String("/screen-"))));
}

void TestWindowGeometry::runsInARowGrowAndShrinkByThePanel()
{
    QCOMPARE(m_window->height(), collapsedHeight);
    const int expandedHeight = qMin(collapsedHeight + chartPanelStep, available().height());
    auto *chart = m_driver->widget<QWidget>("sensitivityGraphicsView");
    for (int run = 1; run <= 3; ++run) {
        int heightDuringRun = 0;
        bool chartShownDuringRun = true;
        runOnce(&heightDuringRun, &chartShownDuringRun);
        QCOMPARE(heightDuringRun, collapsedHeight);
        QVERIFY(!chartShownDuringRun);
        // The X server has the last word on a window's geometry.
        QTRY_COMPARE(m_window->height(), expandedHeight);
        QTest::qWait(100);
        QCOMPARE(m_window->height(), expandedHeight);
        QVERIFY(chart->isVisible());
        QVERIFY(chart->height() > 0);
        verifyOnScreen();
    }
    QCOMPARE(m_window->x(), available().x() + (available().width() - m_window->width()) / 2);
    keepPicture(QStringLiteral("window-after-run"));
}

// Without a window manager nothing maximises the window, so the test sets the
// geometry a maximised window has and then the state.
void TestWindowGeometry::maximisedWindowKeepsItsGeometry()
{
    m_window->setGeometry(available());
    m_window->setWindowState(Qt::WindowMaximized);
    QTRY_COMPARE(m_window->geometry(), available());
    for (int run = 1; run <= 2; ++run) {
        int heightDuringRun = 0;
        bool chartShownDuringRun = true;
        runOnce(&heightDuringRun, &chartShownDuringRun);
        QCOMPARE(heightDuringRun, available().height());
        QVERIFY(!chartShownDuringRun);
        QTest::qWait(100);
        QCOMPARE(m_window->windowState(), Qt::WindowMaximized);
        QCOMPARE(m_window->geometry(), available());
        QVERIFY(m_driver->widget<QWidget>("sensitivityGraphicsView")->isVisible());
    }
    keepPicture(QStringLiteral("window-maximised"));
}

QTEST_MAIN(TestWindowGeometry)
#include "tst_window_geometry.moc"
