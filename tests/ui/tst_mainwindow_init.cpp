#include "SimProcess.h"
#include "app/GlobalState.h"
#include "device/ClickedComboBox.h"
#include "ui/MainWindow.h"
#include "ui_MainWindow.h"

#include <QtTest>

#include <QMenuBar>
#include <QScreen>
#include <QSerialPort>
#include <QStatusBar>
#include <QTemporaryDir>

namespace {
QStringList itemTexts(const QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

template <typename T> T *child(QObject *parent, const char *name)
{
    return parent->findChild<T *>(QString::fromLatin1(name));
}
} // namespace

class TestMainWindowInit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void textsAfterStartUp();
    void widgetStatesAfterInit();
    void tableGeometry();
    void chartPanelStartsCollapsed();
    void portSelectorListsOpenableExtraPorts();
    void leftPressRelistsRightPressDoesNot();

private:
    QTemporaryDir m_ports;
    QString m_linkA;
    QString m_linkB;
    SimProcess m_simA;
    SimProcess m_simB;
    MainWindow *m_window = nullptr;
};

void TestMainWindowInit::initTestCase()
{
    m_linkA = m_ports.filePath("ttyA");
    m_linkB = m_ports.filePath("ttyB");
    QVERIFY(m_simA.start(m_linkA) && m_simB.start(m_linkB));
    const QString missing = m_ports.filePath("missing");
    qputenv("RT58_EXTRA_PORTS", QFile::encodeName(m_linkA + ":" + missing + ":" + m_linkB));
    m_window = new MainWindow();
}

void TestMainWindowInit::cleanupTestCase()
{
    delete m_window;
}

void TestMainWindowInit::textsAfterStartUp()
{
    QCOMPARE(m_window->windowTitle(), QString("RT-58A校准系统"));
    QCOMPARE(child<QPushButton>(m_window, "connectBtn")->text(), QString("连接"));
    QCOMPARE(child<QLabel>(m_window, "connectStatusLabel")->text(), QString("已断开"));
    QCOMPARE(child<QPushButton>(m_window, "startBtn")->text(), QString("启动测试"));
    QCOMPARE(child<QPlainTextEdit>(m_window, "tipsTextEdit")->toPlainText().split('\n'), tipsZh);
    QCOMPARE(child<QLineEdit>(m_window, "amplitudeLineEdit")->text(), QString("10"));
    QCOMPARE(child<QLineEdit>(m_window, "frequenceLineEdit")->text(), QString("160"));
    auto *table = child<QTableWidget>(m_window, "tableWidget");
    QCOMPARE(table->horizontalHeaderItem(0)->text(), QString("序号"));
    QCOMPARE(table->horizontalHeaderItem(5)->text(), QString("速度"));
    QCOMPARE(child<QComboBox>(m_window, "inputTypeComboBox")->itemText(3), QString("4-20mA"));

    QFile light(":/qss/appQssLight.qss");
    QVERIFY(light.open(QIODevice::ReadOnly));
    QCOMPARE(qApp->styleSheet(), QString::fromUtf8(light.readAll()));
}

void TestMainWindowInit::widgetStatesAfterInit()
{
    auto *start = child<QPushButton>(m_window, "startBtn");
    QVERIFY(!start->isEnabled());
    QVERIFY(start->isCheckable());
    QVERIFY(!start->isChecked());
    QVERIFY(child<QPushButton>(m_window, "connectBtn")->isEnabled());
    QVERIFY(!child<QPushButton>(m_window, "disconnectBtn")->isEnabled());
    QVERIFY(!child<QComboBox>(m_window, "sensorTypeComboBox")->isEnabled());
    QVERIFY(!child<QComboBox>(m_window, "inputTypeComboBox")->isEnabled());
    QVERIFY(child<QPushButton>(m_window, "exportBtn")->isEnabled());
    QVERIFY(child<QPushButton>(m_window, "exitBtn")->isEnabled());
    QVERIFY(!child<QPlainTextEdit>(m_window, "tipsTextEdit")->isEnabled());
    auto *progress = child<QProgressBar>(m_window, "progressBar");
    QVERIFY(progress->isHidden());
    QCOMPARE(progress->value(), 0);
    QVERIFY(!progress->isTextVisible());

    QStringList menus;
    for (const QAction *menu : m_window->menuBar()->actions())
        menus << menu->text();
    QCOMPARE(menus, QStringList({"传感器", "方案", "历史"}));
    QVERIFY(m_window->statusBar()->currentMessage().isEmpty());

    QVERIFY(chartCollapsed);
    QVERIFY(!connectSent && !connectAcked && !pointAcked && !stopRequested);
    QVERIFY(rxBuffer.isEmpty());
    QCOMPARE(serialPort, nullptr);
}

void TestMainWindowInit::tableGeometry()
{
    auto *table = child<QTableWidget>(m_window, "tableWidget");
    QCOMPARE(table->columnCount(), 7);
    QCOMPARE(table->rowCount(), 0);
    QCOMPARE(table->horizontalHeader()->defaultSectionSize(), 110);
    QCOMPARE(table->horizontalHeader()->minimumSectionSize(), 95);
    QCOMPARE(table->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QVERIFY(table->verticalHeader()->isHidden());
    QVERIFY(table->horizontalHeader()->stretchLastSection());
    QVERIFY(!table->wordWrap());
}

void TestMainWindowInit::chartPanelStartsCollapsed()
{
    QVERIFY(child<QWidget>(m_window, "sensitivityGraphicsView")->isHidden());
    QCOMPARE(m_window->height(), 800 - 245);
    // 1024 wide, or as wide as a narrower screen (the offscreen one).
    QCOMPARE(m_window->width(), qMin(1024, m_window->screen()->availableGeometry().width()));
}

void TestMainWindowInit::portSelectorListsOpenableExtraPorts()
{
    auto *ports = child<ClickedComboBox>(m_window, "serialPortComboBox");
    QStringList listed = itemTexts(ports);
    QVERIFY(!listed.contains("COM1"));
    // The named ports come first, in their order, so the first is selected.
    QCOMPARE(listed.mid(0, 2), (QStringList{m_linkA, m_linkB}));
    QCOMPARE(ports->currentText(), m_linkA);
    QVERIFY(!listed.contains(m_ports.filePath("missing")));

    QSerialPort holder(m_linkA);
    QVERIFY(holder.open(QIODevice::ReadWrite));
    ports->setCurrentText(m_linkB);
    QTest::mouseClick(ports, Qt::LeftButton);
    QApplication::processEvents();
    ports->hidePopup();
    listed = itemTexts(ports);
    QVERIFY(!listed.contains(m_linkA));
    QVERIFY(listed.contains(m_linkB));
    QCOMPARE(ports->currentText(), m_linkB);
}

void TestMainWindowInit::leftPressRelistsRightPressDoesNot()
{
    auto *ports = child<ClickedComboBox>(m_window, "serialPortComboBox");
    SimProcess late;
    QVERIFY(late.start(m_ports.filePath("ttyC")));
    qputenv("RT58_EXTRA_PORTS", QFile::encodeName(m_linkB + ":" + m_ports.filePath("ttyC")));

    QTest::mouseClick(ports, Qt::RightButton);
    QVERIFY(!itemTexts(ports).contains(m_ports.filePath("ttyC")));

    QTest::mouseClick(ports, Qt::LeftButton);
    ports->hidePopup();
    QVERIFY(itemTexts(ports).contains(m_ports.filePath("ttyC")));
}

QTEST_MAIN(TestMainWindowInit)
#include "tst_mainwindow_init.moc"
