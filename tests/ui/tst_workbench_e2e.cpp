// The test workbench tried as a technician would: the real main window
// against the simulated calibrator over a pseudo-terminal.
#include "ModalAnswerer.h"
#include "SimProcess.h"
#include "WorkbenchDriver.h"
#include "app/GlobalState.h"

#include <QtTest>

#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QTemporaryDir>

namespace {
const QString accelerationPoints = QStringLiteral("21 56 0A 01 90 01 A0 00 B3 0D");

QStringList framesStartingWith(SimProcess &sim, const QString &prefix)
{
    QStringList frames;
    for (const QString &frame : sim.receivedFrames()) {
        if (frame.startsWith(prefix))
            frames << frame;
    }
    return frames;
}
} // namespace

class TestWorkbenchEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void adoptsDeviceTypesAndSendsOneConfigurePerChange();
    void schemeEditing();
    void threeRowRunSendsFramesAndWritesResults();
    void exportAfterRunWritesTheReport();
    void stopLeavesLaterRowsEmpty();
    void emptyTableFinishesAtOnceAndPanelFollowsRuns();
    void zeroControlCountFailsThePoint();
    void lostPortFailsRemainingPointsAtOnce();
    void closingAsksAndSendsUnlink();
    void closingDuringRunEndsIt();

private:
    bool startSim(const QStringList &options = {});
    void connectWindow();

    QTemporaryDir m_dir;
    QString m_link;
    SimProcess m_sim;
    MainWindow *m_window = nullptr;
    WorkbenchDriver *m_driver = nullptr;
    ModalAnswerer *m_answerer = nullptr;
};

void TestWorkbenchEndToEnd::initTestCase()
{
    m_link = m_dir.filePath(QStringLiteral("ttyRT58"));
    qputenv("RT58_EXTRA_PORTS", m_link.toLocal8Bit());
    // The report template is read from beside the executable.
    const QString templates = QCoreApplication::applicationDirPath() + "/doc";
    QDir().mkpath(templates);
    const QString name = "/ExportWordBookmark.docx";
    QFile::remove(templates + name);
    QVERIFY(QFile::copy(qEnvironmentVariable("RT58_BINARY_DIR") + "/doc" + name, templates + name));
}

void TestWorkbenchEndToEnd::init()
{
    m_window = new MainWindow();
    m_window->show();
    m_driver = new WorkbenchDriver(*m_window);
    m_answerer = new ModalAnswerer();
}

void TestWorkbenchEndToEnd::cleanup()
{
    delete m_answerer;
    delete m_driver;
    delete m_window;
    m_sim.stop();
}

bool TestWorkbenchEndToEnd::startSim(const QStringList &options)
{
    return m_sim.start(m_link, options);
}

void TestWorkbenchEndToEnd::connectWindow()
{
    QVERIFY(m_driver->connectTo(m_link));
}

void TestWorkbenchEndToEnd::adoptsDeviceTypesAndSendsOneConfigurePerChange()
{
    QVERIFY(startSim({"--sensor-type", "1", "--input-type", "1"}));
    connectWindow();
    auto *sensor = m_driver->widget<QComboBox>("sensorTypeComboBox");
    auto *input = m_driver->widget<QComboBox>("inputTypeComboBox");
    auto *table = m_driver->widget<QTableWidget>("tableWidget");
    QCOMPARE(sensor->currentIndex(), 1);
    QCOMPARE(input->currentIndex(), 1);
    QCOMPARE(m_driver->widget<QLabel>("amplitudeUnitLabel")->text(), QString("mms^-1"));
    QCOMPARE(table->horizontalHeaderItem(5)->text(), QString("加速度"));
    QCOMPARE(table->horizontalHeaderItem(6)->text(), QString("位移"));
    QVERIFY(framesStartingWith(m_sim, "21 43").isEmpty());

    m_driver->addPoint("10", "100");
    input->setCurrentIndex(3);
    QCOMPARE(table->rowCount(), 1);
    sensor->setCurrentIndex(2);
    QCOMPARE(table->rowCount(), 0);
    QCOMPARE(m_driver->widget<QLabel>("amplitudeUnitLabel")->text(), QString("um"));
    QCOMPARE(table->horizontalHeaderItem(6)->text(), QString("速度"));
    QTRY_COMPARE(framesStartingWith(m_sim, "21 43"),
                 (QStringList{"21 43 07 01 03 6F 0D", "21 43 07 02 03 70 0D"}));

    m_driver->click("disconnectBtn");
    QTRY_VERIFY(!serialPort);
    connectWindow();
    input->setCurrentIndex(0);
    QTRY_COMPARE(framesStartingWith(m_sim, "21 43").size(), 3);
    QTest::qWait(300);
    QCOMPARE(framesStartingWith(m_sim, "21 43").size(), 3);
}

void TestWorkbenchEndToEnd::schemeEditing()
{
    for (const char *amplitude : {"0", "50", "50.01", "-5", "1.2.3"})
        m_driver->addPoint(amplitude, "160");
    m_driver->addPoint("10", "9.99");
    m_driver->addPoint("10", "10000");
    QCOMPARE(m_answerer->seen(),
             (QStringList{"提示信息: 幅值必须在0-50以内", "提示信息: 频率必须在10-10000以内"}));
    QCOMPARE(m_driver->columnTexts(1), (QStringList{"0.00", "50.00", "5.00", "1.23", "10.00"}));
    QCOMPARE(m_driver->widget<QLineEdit>("frequenceLineEdit")->text(), QString("10000"));

    auto *table = m_driver->widget<QTableWidget>("tableWidget");
    m_answerer->clear();
    m_driver->click("modifyBtn");
    m_driver->click("deleteBtn");
    QCOMPARE(m_answerer->seen(), (QStringList{"提示信息: 请先选择一行", "提示信息: 请先选择一行"}));

    table->setCurrentCell(1, 0);
    m_driver->click("deleteBtn");
    QCOMPARE(m_driver->columnTexts(0), (QStringList{"1", "2", "3", "4"}));
    QCOMPARE(m_driver->columnTexts(1), (QStringList{"0.00", "5.00", "1.23", "10.00"}));

    const QRect cell = table->visualItemRect(table->item(3, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(m_driver->widget<QLineEdit>("amplitudeLineEdit")->text(), QString("10.00"));
    QCOMPARE(m_driver->widget<QLineEdit>("frequenceLineEdit")->text(), QString("10000.00"));
    m_driver->widget<QLineEdit>("amplitudeLineEdit")->setText("7abc");
    m_driver->click("modifyBtn");
    QCOMPARE(m_driver->rowText(3, 0, 2), QString("4|7.00|10000.00"));
}

void TestWorkbenchEndToEnd::threeRowRunSendsFramesAndWritesResults()
{
    QVERIFY(startSim({"--fixed-counts", "800,400"}));
    connectWindow();
    m_driver->addPoint("10", "160");
    m_driver->addPoint("50", "100");
    m_driver->addPoint("0.5", "10000");
    QList<int> progress;
    auto *bar = m_driver->widget<QProgressBar>("progressBar");
    connect(bar, &QProgressBar::valueChanged, this, [&](int value) { progress << value; });
    m_driver->click("startBtn");

    QCOMPARE(framesStartingWith(m_sim, "21 56"),
             (QStringList{accelerationPoints, "21 56 0A 02 D0 07 64 00 BE 0D",
                          "21 56 0A 03 14 00 10 27 CF 0D"}));
    QCOMPARE(progress, (QList<int>{0, 33, 66, 100}));
    QCOMPARE(m_driver->rowText(1, 3, 6),
             QString("10.00 ms^-2|1.000 Pc/ms^-2|15.92 mms^-1|25.33 um"));
    QCOMPARE(m_driver->widget<QPushButton>("startBtn")->text(), QString("启动测试"));
    QVERIFY(!m_driver->widget<QPushButton>("startBtn")->isChecked());
    QVERIFY(m_driver->widget<QPushButton>("addBtn")->isEnabled());
}

// Connect, three points, export, close: the whole day of a technician.
void TestWorkbenchEndToEnd::exportAfterRunWritesTheReport()
{
    QVERIFY(startSim());
    connectWindow();
    for (const char *frequency : {"100", "160", "1000"})
        m_driver->addPoint("10", frequency);
    m_driver->click("startBtn");
    QTRY_VERIFY(m_driver->widget<QWidget>("sensitivityGraphicsView")->isVisible());
    const QString report = m_dir.filePath("report.docx");
    m_answerer->setSaveFileAnswer(report);
    m_driver->click("exportBtn");
    QCOMPARE(m_answerer->seen(), QStringList{"提示信息: 导出成功！"});
    QFile file(report);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(2) == "PK");
    QVERIFY(m_window->close());
    QTRY_COMPARE(framesStartingWith(m_sim, "21 53").size(), 1);
}

void TestWorkbenchEndToEnd::stopLeavesLaterRowsEmpty()
{
    QVERIFY(startSim({"--delay", "300"}));
    connectWindow();
    for (int row = 0; row < 4; ++row)
        m_driver->addPoint("10", "160");
    auto *start = m_driver->widget<QPushButton>("startBtn");
    auto *table = m_driver->widget<QTableWidget>("tableWidget");
    // Stop once the first point has its result, however long it took.
    QTimer stopper;
    connect(&stopper, &QTimer::timeout, start, [&] {
        if (!table->item(0, 3) || table->item(0, 3)->text().isEmpty())
            return;
        stopper.stop();
        QCOMPARE(start->text(), QString("Stop test"));
        QTest::mouseClick(start, Qt::LeftButton);
    });
    stopper.start(20);
    m_driver->click("startBtn");
    QVERIFY(m_driver->rowText(0, 3, 3).endsWith("ms^-2"));
    QCOMPARE(m_driver->rowText(3, 3, 6), QString("|||"));
    QCOMPARE(start->text(), QString("启动测试"));
}

void TestWorkbenchEndToEnd::emptyTableFinishesAtOnceAndPanelFollowsRuns()
{
    QVERIFY(startSim());
    connectWindow();
    auto *chart = m_driver->widget<QWidget>("sensitivityGraphicsView");
    const int collapsed = m_window->height();
    m_driver->click("startBtn");
    // The offscreen screen is only 600 px high; the window on screens of
    // every size is tried under a window manager.
    const int expanded = m_window->height();
    QVERIFY(expanded > collapsed);
    QVERIFY(chart->isVisible());
    QCOMPARE(m_driver->widget<QPushButton>("startBtn")->text(), QString("启动测试"));

    m_driver->addPoint("10", "160");
    QTimer::singleShot(20, this, [&] {
        QCOMPARE(m_window->height(), collapsed);
        QVERIFY(!chart->isVisible());
    });
    m_driver->click("startBtn");
    QCOMPARE(m_window->height(), expanded);

    m_window->showMaximized();
    QTRY_COMPARE(m_window->windowState(), Qt::WindowMaximized);
    QTest::qWait(200);
    const QRect maximised = m_window->geometry();
    m_driver->click("startBtn");
    // At the offscreen screen's width the form's minimum height with the chart
    // shown is more than the screen's height, so only the position and width
    // are compared.
    QCOMPARE(m_window->windowState(), Qt::WindowMaximized);
    QCOMPARE(m_window->geometry().topLeft(), maximised.topLeft());
    QCOMPARE(m_window->width(), maximised.width());
    QVERIFY(chart->isVisible());
}

void TestWorkbenchEndToEnd::zeroControlCountFailsThePoint()
{
    QVERIFY(startSim({"--fixed-counts", "0,400"}));
    connectWindow();
    m_driver->addPoint("10", "160");
    m_driver->addPoint("20", "160");
    m_driver->click("startBtn");
    QCOMPARE(m_driver->rowText(0, 3, 6), QString("测试失败|测试失败||"));
    QCOMPARE(m_driver->rowText(1, 3, 6), QString("测试失败|测试失败||"));
    QCOMPARE(framesStartingWith(m_sim, "21 56").size(), 2);
}

void TestWorkbenchEndToEnd::lostPortFailsRemainingPointsAtOnce()
{
    QVERIFY(startSim({"--unanswered", "2"}));
    connectWindow();
    for (int row = 0; row < 4; ++row)
        m_driver->addPoint("10", "160");
    QTimer::singleShot(500, this, [this] { m_sim.kill(); });
    QElapsedTimer clock;
    clock.start();
    m_driver->click("startBtn");
    QVERIFY(clock.elapsed() < 30000);
    QVERIFY(m_driver->rowText(0, 3, 3).endsWith("ms^-2"));
    for (int row = 1; row < 4; ++row)
        QCOMPARE(m_driver->rowText(row, 3, 4), QString("测试失败|测试失败"));
    QCOMPARE(m_driver->widget<QLabel>("connectStatusLabel")->text(), QString("已断开"));
    QVERIFY(m_driver->widget<QPushButton>("connectBtn")->isEnabled());
    QVERIFY(!m_driver->widget<QPushButton>("startBtn")->isEnabled());
}

void TestWorkbenchEndToEnd::closingAsksAndSendsUnlink()
{
    QVERIFY(startSim());
    connectWindow();
    m_answerer->setAnswer(QMessageBox::Cancel);
    QVERIFY(!m_window->close());
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_answerer->seen(), QStringList{"警告: 当前设备正处于连接状态，即将断开连接！"});
    QVERIFY(framesStartingWith(m_sim, "21 53").isEmpty());

    m_answerer->setAnswer(QMessageBox::Ok);
    QVERIFY(m_window->close());
    QTRY_COMPARE(framesStartingWith(m_sim, "21 53"), QStringList{"21 53 05 79 0D"});
}

void TestWorkbenchEndToEnd::closingDuringRunEndsIt()
{
    QVERIFY(startSim({"--delay", "200"}));
    connectWindow();
    for (int row = 0; row < 20; ++row)
        m_driver->addPoint("10", "160");
    QTimer::singleShot(300, m_window, &QWidget::close);
    m_driver->click("startBtn");
    QVERIFY(!m_window->isVisible());
    QTRY_VERIFY(framesStartingWith(m_sim, "21 53").size() == 1);
    QVERIFY(framesStartingWith(m_sim, "21 56").size() < 5);
}

QTEST_MAIN(TestWorkbenchEndToEnd)
#include "tst_workbench_e2e.moc"
