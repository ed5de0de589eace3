#include "ExportTestSupport.h"
#include "export/office/AutomationObject.h"

#include <QtTest>

using namespace exporttest;

class TestExcelAutomation : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void callStringsAreMatchedExactly();
    void valuesAreWrittenAsTextKeepingTheRest();
    void cellsAreReadFromEveryKindOfValue();
    void cellsWithoutReferencesKeepTheirPlace();
    void overwrittenFormulaDropsTheCalculationChain();
    void badWorkbooksGiveNull_data();
    void badWorkbooksGiveNull();
    void closingWithoutSavingLeavesTheFile();

private:
    AutomationObject *firstSheet(AutomationObject &excel, const QString &path);
    QString m_path;
};

void TestExcelAutomation::init()
{
    m_path = QDir::currentPath() + QStringLiteral("/book.xlsx");
    QFile::remove(m_path);
}

AutomationObject *TestExcelAutomation::firstSheet(AutomationObject &excel, const QString &path)
{
    AutomationObject *workbooks = excel.querySubObject("WorkBooks");
    if (!workbooks->querySubObject("Open (const QString&)", path))
        return nullptr;
    AutomationObject *workbook = excel.querySubObject("ActiveWorkBook");
    return workbook->querySubObject("Sheets")->querySubObject("Item(int)", 1);
}

void TestExcelAutomation::callStringsAreMatchedExactly()
{
    QVERIFY(writeXlsx(m_path, QByteArray()));
    AutomationObject excel(QStringLiteral("Excel.Application"));
    QVERIFY(excel.setProperty("Visible", false));
    QTest::ignoreMessage(QtWarningMsg,
                         "Excel.Application: \"ActiveWorkBook\" failed: no workbook is open");
    QVERIFY(!excel.querySubObject("ActiveWorkBook"));
    AutomationObject *workbooks = excel.querySubObject("WorkBooks");
    QTest::ignoreMessage(QtWarningMsg, "Excel.Workbooks: unknown member \"Open(const QString&)\"");
    QVERIFY(!workbooks->querySubObject("Open(const QString&)", m_path));
    AutomationObject *sheet = firstSheet(excel, m_path);
    QVERIFY(sheet);
    QTest::ignoreMessage(QtWarningMsg, "Excel.Worksheet: unknown member \"Cells(int, int)\"");
    QVERIFY(!sheet->querySubObject("Cells(int, int)", 1, 1));
    QTest::ignoreMessage(QtWarningMsg,
                         "Excel.Worksheet: \"Cells(int,int)\" failed: no cell (0, 1)");
    QVERIFY(!sheet->querySubObject("Cells(int,int)", 0, 1));
    QTest::ignoreMessage(QtWarningMsg, "Excel.Sheets: \"Item(int)\" failed: no sheet 2");
    QVERIFY(!excel.querySubObject("ActiveWorkBook")
                 ->querySubObject("Sheets")
                 ->querySubObject("Item(int)", 2));
}

void TestExcelAutomation::valuesAreWrittenAsTextKeepingTheRest()
{
    const QByteArray unknown = "<custom xmlns='urn:x'>\n  kept as is\n</custom>";
    QVERIFY(writeXlsx(m_path,
                      "<row r=\"1\" spans=\"1:2\"><c r=\"A1\" s=\"3\" t=\"s\"><v>0</v></c>"
                      "<c r=\"C1\" s=\"4\"><v>7</v></c></row>",
                      {"old"},
                      {{QStringLiteral("xl/worksheets/sheet2.xml"), unknown},
                       {QStringLiteral("customXml/item1.xml"), unknown}}));
    AutomationObject excel(QStringLiteral("Excel.Application"));
    AutomationObject *sheet = firstSheet(excel, m_path);
    const QStringList texts{"10.00", "<&\"'>", "_x0041_", QStringLiteral("tab\there\x01")};
    for (int i = 0; i < texts.size(); ++i) {
        QVERIFY(sheet->querySubObject("Cells(int,int)", 1, i + 1)
                    ->dynamicCall("SetValue(const QString&)", texts.at(i))
                    .isValid());
    }
    sheet->querySubObject("Cells(int,int)", 4, 2)->dynamicCall("SetValue(const QString&)", "last");
    for (int i = 0; i < texts.size(); ++i)
        QCOMPARE(sheet->querySubObject("Cells(int,int)", 1, i + 1)->property("Value").toString(),
                 texts.at(i));
    QVERIFY(excel.querySubObject("ActiveWorkBook")->dynamicCall("Save()").isValid());

    const Parts parts = readZip(m_path);
    QCOMPARE(parts.value(QStringLiteral("xl/worksheets/sheet2.xml")), unknown);
    QCOMPARE(parts.value(QStringLiteral("customXml/item1.xml")), unknown);
    const QByteArray xml = parts.value(QStringLiteral("xl/worksheets/sheet1.xml"));
    QVERIFY(xml.contains(
        "<c r=\"A1\" s=\"3\" t=\"inlineStr\"><is><t xml:space=\"preserve\">10.00</t></is></c>"));
    QVERIFY(xml.contains("<c r=\"C1\" s=\"4\" t=\"inlineStr\">"));
    QVERIFY(xml.contains("_x005F_x0041_"));
    QVERIFY(xml.contains("_x0001_"));
    QVERIFY(xml.contains("<dimension ref=\"A1:D4\"/>"));
    QVERIFY(!xml.contains("spans"));
    const QMap<QString, QString> cells = sheetCells(m_path);
    QCOMPARE(cells.keys(), (QStringList{"A1", "B1", "B4", "C1", "D1"}));
    QCOMPARE(cells.value(QStringLiteral("B1")), QStringLiteral("<&\"'>"));
}

void TestExcelAutomation::cellsAreReadFromEveryKindOfValue()
{
    QVERIFY(writeXlsx(
        m_path,
        "<row r=\"2\"><c r=\"A2\" t=\"s\"><v>1</v></c><c r=\"B2\"><v>1.5</v></c>"
        "<c r=\"C2\" t=\"b\"><v>1</v></c><c r=\"D2\" t=\"inlineStr\"><is><r><t>in</t>"
        "</r><r><t>line</t></r></is></c><c r=\"E2\" t=\"str\"><f>A1</f><v>x_x000D_y</v></c>"
        "</row>",
        {"zero", "one"}));
    AutomationObject excel(QStringLiteral("Excel.Application"));
    AutomationObject *sheet = firstSheet(excel, m_path);
    const QStringList expected{"one", "1.5", "TRUE", "inline", "x\ry", ""};
    for (int column = 1; column <= expected.size(); ++column)
        QCOMPARE(sheet->querySubObject("Cells(int,int)", 2, column)->property("Value").toString(),
                 expected.at(column - 1));
    QCOMPARE(sheet->querySubObject("Cells(int,int)", 9, 9)->property("Value").toString(),
             QString());
}

void TestExcelAutomation::cellsWithoutReferencesKeepTheirPlace()
{
    QVERIFY(
        writeXlsx(m_path, "<row><c><v>1</v></c><c><v>2</v></c></row><row><c><v>3</v></c></row>"));
    AutomationObject excel(QStringLiteral("Excel.Application"));
    AutomationObject *sheet = firstSheet(excel, m_path);
    sheet->querySubObject("Cells(int,int)", 1, 3)->dynamicCall("SetValue(const QString&)", "c");
    sheet->querySubObject("Cells(int,int)", 3, 1)->dynamicCall("SetValue(const QString&)", "r3");
    QVERIFY(excel.querySubObject("ActiveWorkBook")->dynamicCall("Save()").isValid());
    const QMap<QString, QString> cells = sheetCells(m_path);
    QCOMPARE(cells, (QMap<QString, QString>{
                        {"A1", "1"}, {"B1", "2"}, {"C1", "c"}, {"A2", "3"}, {"A3", "r3"}}));
}

void TestExcelAutomation::overwrittenFormulaDropsTheCalculationChain()
{
    QVERIFY(writeXlsx(m_path, "<row r=\"1\"><c r=\"A1\"><f>1+1</f><v>2</v></c></row>", {},
                      {{QStringLiteral("xl/calcChain.xml"), "<calcChain/>"},
                       {QStringLiteral("xl/_rels/workbook.xml.rels"),
                        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                        "relationships\"><Relationship Id=\"rId1\" Type=\"http://"
                        "schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
                        "Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId9\" Type=\"http://"
                        "schemas.openxmlformats.org/officeDocument/2006/relationships/calcChain\" "
                        "Target=\"calcChain.xml\"/></Relationships>"}}));
    AutomationObject excel(QStringLiteral("Excel.Application"));
    firstSheet(excel, m_path)
        ->querySubObject("Cells(int,int)", 1, 1)
        ->dynamicCall("SetValue(const QString&)", "text");
    QVERIFY(excel.querySubObject("ActiveWorkBook")->dynamicCall("Save()").isValid());
    const Parts parts = readZip(m_path);
    QVERIFY(!parts.contains(QStringLiteral("xl/calcChain.xml")));
    QVERIFY(!parts.value(QStringLiteral("xl/_rels/workbook.xml.rels")).contains("calcChain"));
    QVERIFY(!parts.value(QStringLiteral("xl/worksheets/sheet1.xml")).contains("<f>"));
}

void TestExcelAutomation::badWorkbooksGiveNull_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("warning");
    const QString openFailed =
        QStringLiteral("^Excel\\.Workbooks: \"Open \\(const QString&\\)\" failed: ");
    QTest::newRow("missing") << "missing" << openFailed + ".* does not exist$";
    QTest::newRow("not a zip") << "text" << openFailed + ".* is not a zip archive$";
    QTest::newRow("no sheets") << "no sheets"
                               << "^Excel\\.Sheets: \"Item\\(int\\)\" failed: no sheet 1$";
    QTest::newRow("sheet part missing")
        << "no part"
        << "^Excel\\.Sheets: \"Item\\(int\\)\" failed: sheet 1 is not a worksheet";
}

void TestExcelAutomation::badWorkbooksGiveNull()
{
    QFETCH(QString, kind);
    QFETCH(QString, warning);
    if (kind == QLatin1String("text"))
        writeFile(m_path, "not a workbook");
    if (kind == QLatin1String("no sheets"))
        QVERIFY(writeXlsx(m_path, QByteArray(), {},
                          {{QStringLiteral("xl/workbook.xml"),
                            "<workbook xmlns=\"" + sheetNs.toUtf8() + "\"><sheets/></workbook>"}}));
    if (kind == QLatin1String("no part")) {
        QVERIFY(writeXlsx(m_path, QByteArray()));
        Parts parts = readZip(m_path);
        parts.remove(QStringLiteral("xl/worksheets/sheet1.xml"));
        QVERIFY(writeZip(m_path, parts));
    }
    AutomationObject excel(QStringLiteral("Excel.Application"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(warning));
    QVERIFY(!firstSheet(excel, m_path));
}

void TestExcelAutomation::closingWithoutSavingLeavesTheFile()
{
    QVERIFY(writeXlsx(m_path, "<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>"));
    const QByteArray before = readFile(m_path);
    AutomationObject excel(QStringLiteral("Excel.Application"));
    AutomationObject *cell = firstSheet(excel, m_path)->querySubObject("Cells(int,int)", 1, 1);
    cell->dynamicCall("SetValue(const QString&)", "changed");
    QVERIFY(excel.querySubObject("ActiveWorkBook")->dynamicCall("Close(Boolean)", false).isValid());
    QCOMPARE(readFile(m_path), before);
    QTest::ignoreMessage(QtWarningMsg,
                         "Excel.Range: \"Value\" failed: the workbook has been closed");
    QVERIFY(!cell->property("Value").isValid());
    QVERIFY(excel.dynamicCall("Quit()").isValid());
}

QTEST_MAIN(TestExcelAutomation)
#include "tst_excel_automation.moc"
