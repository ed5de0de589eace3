#include "app/GlobalState.h"
#include "device/ClickedComboBox.h"
#include "ui/MainWindow.h"
#include "ui_MainWindow.h"

#include <QtTest>

#include <QMenuBar>
#include <QSerialPort>
#include <QStatusBar>
#include <QTemporaryDir>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace {
// A pseudo-terminal published under a link path, as the simulated calibrator does.
class PseudoTerminal
{
public:
    explicit PseudoTerminal(const QString &linkPath) : m_linkPath(linkPath)
    {
        m_master = posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0)
            return;
        m_ok = ::symlink(ptsname(m_master), QFile::encodeName(linkPath).constData()) == 0;
    }
    ~PseudoTerminal()
    {
        ::unlink(QFile::encodeName(m_linkPath).constData());
        if (m_master >= 0)
            ::close(m_master);
    }
    bool isOk() const { return m_ok; }

private:
    QString m_linkPath;
    int m_master = -1;
    bool m_ok = false;
};

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
    void objectTreeMatchesTheForm();
    void layoutCells();
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
    PseudoTerminal *m_ptyA = nullptr;
    PseudoTerminal *m_ptyB = nullptr;
    MainWindow *m_window = nullptr;
};

void TestMainWindowInit::initTestCase()
{
    m_linkA = m_ports.filePath("ttyA");
    m_linkB = m_ports.filePath("ttyB");
    m_ptyA = new PseudoTerminal(m_linkA);
    m_ptyB = new PseudoTerminal(m_linkB);
    QVERIFY(m_ptyA->isOk() && m_ptyB->isOk());
    const QString missing = m_ports.filePath("missing");
    qputenv("RT58_EXTRA_PORTS", QFile::encodeName(m_linkA + ":" + missing + ":" + m_linkB));
    m_window = new MainWindow();
}

void TestMainWindowInit::cleanupTestCase()
{
    delete m_window;
    delete m_ptyA;
    delete m_ptyB;
}

void TestMainWindowInit::objectTreeMatchesTheForm()
{
    const QStringList objects = {
        "centralwidget QWidget",       "gridLayout_7 QGridLayout",
        "GroupBox QGroupBox",          "serialPortComboBox ClickedComboBox",
        "connectBtn QPushButton",      "connectStatusLabel QLabel",
        "disconnectBtn QPushButton",   "groupBox QGroupBox",
        "gridLayout_4 QGridLayout",    "amplitudeLineEdit QLineEdit",
        "amplitudeUnitLabel QLabel",   "frequenceLineEdit QLineEdit",
        "frequenceUnitLabel QLabel",   "gridLayout_5 QGridLayout",
        "exportBtn QPushButton",       "addBtn QPushButton",
        "modifyBtn QPushButton",       "deleteBtn QPushButton",
        "tableWidget QTableWidget",    "tipsTextEdit QPlainTextEdit",
        "GroupBox_2 QGroupBox",        "sensorTypeComboBox QComboBox",
        "inputTypeComboBox QComboBox", "controlGroupBox QGroupBox",
        "startBtn QPushButton",        "progressBar QProgressBar",
        "exitBtn QPushButton",         "menubar QMenuBar",
        "statusbar QStatusBar",        "sensitivityGraphicsView SensitivityChartView"};
    for (const QString &entry : objects) {
        const QStringList parts = entry.split(' ');
        const QObject *object = m_window->findChild<QObject *>(parts.at(0));
        QVERIFY2(object, qPrintable(parts.at(0)));
        QCOMPARE(QString(object->metaObject()->className()), parts.at(1));
    }
    QCOMPARE(child<QComboBox>(m_window, "sensorTypeComboBox")->count(), 3);
    QCOMPARE(child<QComboBox>(m_window, "inputTypeComboBox")->count(), 4);
}

void TestMainWindowInit::layoutCells()
{
    struct Cell
    {
        const char *layout;
        const char *widget;
        int row, column, rowSpan, columnSpan;
    };
    const Cell cells[] = {
        {"gridLayout_7", "GroupBox", 0, 0, 1, 1},
        {"gridLayout_7", "GroupBox_2", 0, 1, 1, 1},
        {"gridLayout_7", "groupBox", 1, 0, 1, 2},
        {"gridLayout_7", "sensitivityGraphicsView", 2, 0, 1, 2},
        {"gridLayout_7", "controlGroupBox", 3, 0, 1, 2},
        {"gridLayout", "disconnectBtn", 1, 1, 1, 1},
        {"gridLayout_6", "tableWidget", 2, 0, 2, 2},
        {"gridLayout_6", "tipsTextEdit", 3, 2, 1, 2},
        {"gridLayout_4", "frequenceUnitLabel", 1, 2, 1, 1},
        {"gridLayout_5", "deleteBtn", 4, 0, 1, 1},
        {"gridLayout_3", "exitBtn", 0, 4, 1, 1},
    };
    for (const Cell &cell : cells) {
        auto *layout = child<QGridLayout>(m_window, cell.layout);
        QWidget *widget = child<QWidget>(m_window, cell.widget);
        const int index = layout->indexOf(widget);
        QVERIFY2(index >= 0, cell.widget);
        int row, column, rowSpan, columnSpan;
        layout->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
        QCOMPARE(QList<int>({row, column, rowSpan, columnSpan}),
                 QList<int>({cell.row, cell.column, cell.rowSpan, cell.columnSpan}));
    }
    auto *outer = child<QGridLayout>(m_window, "gridLayout_7");
    QCOMPARE(outer->rowStretch(0), 2);
    QCOMPARE(outer->rowStretch(1), 5);
    QCOMPARE(outer->rowStretch(2), 0);
    QCOMPARE(outer->rowStretch(3), 1);
    auto *control = child<QGridLayout>(m_window, "gridLayout_3");
    QCOMPARE(control->columnMinimumWidth(2), 200);
    QCOMPARE(control->columnStretch(3), 10);
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

    QVERIFY(m_window->menuBar()->actions().isEmpty());
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
    QCOMPARE(m_window->width(), 1024);
}

void TestMainWindowInit::portSelectorListsOpenableExtraPorts()
{
    auto *ports = child<ClickedComboBox>(m_window, "serialPortComboBox");
    QStringList listed = itemTexts(ports);
    QVERIFY(!listed.contains("COM1"));
    QVERIFY(listed.indexOf(m_linkA) >= 0 && listed.indexOf(m_linkA) < listed.indexOf(m_linkB));
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
    PseudoTerminal late(m_ports.filePath("ttyC"));
    QVERIFY(late.isOk());
    qputenv("RT58_EXTRA_PORTS", QFile::encodeName(m_linkB + ":" + m_ports.filePath("ttyC")));

    QTest::mouseClick(ports, Qt::RightButton);
    QVERIFY(!itemTexts(ports).contains(m_ports.filePath("ttyC")));

    QTest::mouseClick(ports, Qt::LeftButton);
    ports->hidePopup();
    QVERIFY(itemTexts(ports).contains(m_ports.filePath("ttyC")));
}

QTEST_MAIN(TestMainWindowInit)
#include "tst_mainwindow_init.moc"
