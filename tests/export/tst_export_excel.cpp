#include "ExportTestSupport.h"
#include "export/ExportFile.h"
#include "ui_MainWindow.h"

#include <QDateTime>
#include <QMainWindow>
#include <QThread>
#include <QtTest>

using namespace exporttest;

class TestExportExcel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void threeRowsFillTheSheetAsText();
    void cellWithoutItemKeepsTheTemplateCell();
    void emptyTableWritesTheHeaderOnly();
    void missingTemplateCreatesNoFile();
    void exportsInOneSecondLeaveOneFile();
    void failedAutomationLeavesNoReport();
    void placeholderIsReplacedByTheTableText_data();
    void placeholderIsReplacedByTheTableText();
    void wordSamplesWriteAndRead();
    void excelSamplesAppendAndRead();
    void missingSamplesAreLoggedAndLeaveNothing();

private:
    void setRows(const QVector<QStringList> &rows);
    QStringList reports() const;
    QString report() const;

    QMainWindow m_window;
    Ui::MainWindow m_ui;
    ExportFile m_export;
};

void TestExportExcel::initTestCase()
{
    m_ui.setupUi(&m_window);
    m_export.setUi(&m_ui);
}

void TestExportExcel::init()
{
    installDocuments();
    for (const QString &name : reports())
        QFile::remove(applicationDir() + QLatin1Char('/') + name);
    m_ui.tableWidget->setRowCount(0);
}

void TestExportExcel::setRows(const QVector<QStringList> &rows)
{
    QTableWidget *table = m_ui.tableWidget;
    table->setRowCount(0);
    table->setRowCount(rows.size());
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < rows.at(row).size(); ++column) {
            if (rows.at(row).at(column) != QLatin1String("-"))
                table->setItem(row, column, new QTableWidgetItem(rows.at(row).at(column)));
        }
    }
}

QStringList TestExportExcel::reports() const
{
    return QDir(applicationDir())
        .entryList({QStringLiteral("*年*月*日*时*分*秒.xlsx")}, QDir::Files);
}

QString TestExportExcel::report() const
{
    const QStringList found = reports();
    return found.size() == 1 ? applicationDir() + QLatin1Char('/') + found.first() : QString();
}

void TestExportExcel::threeRowsFillTheSheetAsText()
{
    setRows({{"1", "10.00", "160.00", "9.87 ms^-2", "1.234", "x"},
             {"2", "5.00", "80.00", "4.93 ms^-2", "1.230"},
             {"3", "50.00", "10000.00", "49.1 ms^-2", "1.229"}});
    m_export.doExport(5);
    QVERIFY(!report().isEmpty());
    const QMap<QString, QString> cells = sheetCells(report());
    QCOMPARE(cells.size(), 20);
    QCOMPARE(cells.value("A1"), QStringLiteral("Order"));
    QCOMPARE(cells.value("E1"), QStringLiteral("Sensitivity"));
    QCOMPARE(cells.value("C4"), QStringLiteral("10000.00"));
    QCOMPARE(cells.value("E2"), QStringLiteral("1.234"));
    const QByteArray sheet = readZip(report()).value(QStringLiteral("xl/worksheets/sheet1.xml"));
    QCOMPARE(sheet.count("t=\"inlineStr\""), 20);
    QVERIFY(
        readZip(report()).value(QStringLiteral("xl/styles.xml")).contains("<cellXfs count=\"3\">"));
}

void TestExportExcel::cellWithoutItemKeepsTheTemplateCell()
{
    QVERIFY(writeXlsx(applicationDir() + QStringLiteral("/doc/ExportExcel.xlsx"),
                      "<row r=\"3\"><c r=\"B3\" t=\"s\"><v>0</v></c><c r=\"C3\"><v>5</v></c></row>",
                      {"from the template"}));
    setRows({{"1", "10.00", "160.00"}, {"2", "-", "80.00"}});
    m_export.doExport(5);
    const QMap<QString, QString> cells = sheetCells(report());
    QCOMPARE(cells.value("B3"), QStringLiteral("from the template"));
    QCOMPARE(cells.value("C3"), QStringLiteral("80.00"));
    QVERIFY(!cells.contains("D3"));
}

void TestExportExcel::emptyTableWritesTheHeaderOnly()
{
    m_export.doExport(5);
    QCOMPARE(sheetCells(report()).keys(), (QStringList{"A1", "B1", "C1", "D1", "E1"}));
}

void TestExportExcel::missingTemplateCreatesNoFile()
{
    QFile::remove(applicationDir() + QStringLiteral("/doc/ExportExcel.xlsx"));
    QTest::ignoreMessage(QtDebugMsg, "文件不存在!");
    m_export.doExport(5);
    QVERIFY(reports().isEmpty());
}

// Both exports must start within one second; on a busy machine that may
// take another try.
void TestExportExcel::exportsInOneSecondLeaveOneFile()
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        init();
        while (QTime::currentTime().msec() > 200)
            QThread::msleep(10);
        const int second = QTime::currentTime().second();
        setRows({{"1", "first"}});
        m_export.doExport(5);
        setRows({{"1", "second"}});
        m_export.doExport(5);
        if (QTime::currentTime().second() == second)
            break;
    }
    QCOMPARE(reports().size(), 1);
    QCOMPARE(sheetCells(report()).value("B2"), QStringLiteral("second"));
}

void TestExportExcel::failedAutomationLeavesNoReport()
{
    writeFile(applicationDir() + QStringLiteral("/doc/ExportExcel.xlsx"), "not a workbook");
    QTest::ignoreMessage(QtDebugMsg, "导出文件失败！");
    m_export.doExport(5);
    QVERIFY(reports().isEmpty());
}

void TestExportExcel::placeholderIsReplacedByTheTableText_data()
{
    QTest::addColumn<QVector<QStringList>>("rows");
    QTest::addColumn<QString>("tableText");
    QTest::newRow("empty table") << QVector<QStringList>() << QString();
    QTest::newRow("missing third cell")
        << QVector<QStringList>{{"1", "10.00", "-", "9.87", "1.234"}, {"2", "5.00", "80.00"}}
        << QStringLiteral("1 10.00      9.87 1.234 \r2 5.00 80.00           \r");
}

void TestExportExcel::placeholderIsReplacedByTheTableText()
{
    QFETCH(QVector<QStringList>, rows);
    QFETCH(QString, tableText);
    setRows(rows);
    writeFile(applicationDir() + QStringLiteral("/samples/ExportWord1.docx"), "an older copy");
    m_export.doExport(2);
    const QString copy = applicationDir() + QStringLiteral("/samples/ExportWord1.docx");
    QStringList paragraphs;
    QDomDocument document = documentXml(copy);
    const QDomNodeList found = document.elementsByTagNameNS(wNs, QStringLiteral("p"));
    for (int i = 0; i < found.size(); ++i)
        paragraphs.append(wordText(found.at(i).toElement()));
    // The placeholder's paragraph keeps its own end after the table text.
    const QString expected = QStringLiteral("RT-58A 测试结果\r") + tableText +
                             QStringLiteral("\r以上为本次测试的全部测试点。");
    QCOMPARE(paragraphs.join(QLatin1Char('\r')), expected);
    QVERIFY(readFile(applicationDir() + QStringLiteral("/samples/ExportWordReplace.docx"))
                .startsWith("PK"));
}

void TestExportExcel::wordSamplesWriteAndRead()
{
    const QString written = applicationDir() + QStringLiteral("/samples/WriteWord.docx");
    QFile::remove(written);
    m_export.doExport(3);
    QDomDocument document = documentXml(written);
    QCOMPARE(wordText(document.documentElement()), QStringLiteral("Hello, World!"));

    QTest::ignoreMessage(QtDebugMsg,
                         "RT-58A 读取示例\r这份文档由读取示例程序读取，其文字记入日志。\r");
    m_export.doExport(4);
}

void TestExportExcel::excelSamplesAppendAndRead()
{
    m_export.doExport(6);
    m_export.doExport(6);
    QCOMPARE(sheetCells(applicationDir() + QStringLiteral("/samples/WriteExcel.xlsx")).value("A1"),
             QStringLiteral("RT-58A Hello World!Hello World!"));
    QTest::ignoreMessage(QtDebugMsg, "RT-58A 读取示例");
    m_export.doExport(7);
}

void TestExportExcel::missingSamplesAreLoggedAndLeaveNothing()
{
    QDir(applicationDir() + QStringLiteral("/samples")).removeRecursively();
    QTest::ignoreMessage(QtDebugMsg, "文件不存在!");
    m_export.doExport(2);
    for (int type : {4, 6, 7}) {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("does not exist$")));
        m_export.doExport(type);
    }
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("cannot write .*WriteWord")));
    m_export.doExport(3);
    QVERIFY(!QDir(applicationDir() + QStringLiteral("/samples")).exists());
}

QTEST_MAIN(TestExportExcel)
#include "tst_export_excel.moc"
