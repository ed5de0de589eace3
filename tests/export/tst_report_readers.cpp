#include "ModalAnswerer.h"
#include "OfficeFiles.h"
#include "export/ExportFile.h"
#include "ui_MainWindow.h"

#include <QJsonArray>
#include <QMainWindow>
#include <QtTest>

// The Word and Excel reports as python-docx and openpyxl read them: what the
// program writes must open in an independent reader and hold the table. Odd
// templates (bookmarks out of order, tables too small, damaged packages) end
// in the failure box and no report, or in a report that opens.

namespace {

using namespace OfficeFiles;
using Rows = QVector<QStringList>;

const QString wordTemplate = QStringLiteral("doc/ExportWordBookmark.docx");
const QString excelTemplate = QStringLiteral("doc/ExportExcel.xlsx");
const QString success = QStringLiteral("Info: Export success!");
const QString failure = QStringLiteral("Info: 导出文件失败！");

QString installed(const QString &name)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
}

QString target()
{
    return QDir::current().filePath(QStringLiteral("report.docx"));
}

void setRows(QTableWidget *table, const Rows &rows)
{
    table->setRowCount(0);
    table->setRowCount(rows.size());
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < rows.at(row).size(); ++column)
            table->setItem(row, column, new QTableWidgetItem(rows.at(row).at(column)));
    }
}

Rows numberedRows(int count)
{
    Rows rows;
    for (int i = 1; i <= count; ++i) {
        const QString n = QString::number(i);
        rows.append({n, "a" + n, "f" + n, "c" + n, "s" + n, "x" + n, "y" + n});
    }
    return rows;
}

Rows tableOf(const QJsonObject &report, int index)
{
    Rows rows;
    for (const QJsonValue row : report.value("tables").toArray().at(index).toArray()) {
        rows.append(QStringList());
        for (const QJsonValue cell : row.toArray())
            rows.last().append(cell.toString());
    }
    return rows;
}

const QString dateStart = QStringLiteral("<w:bookmarkStart w:id=\"0\" w:name=\"date\"/>");
const QString dateEnd = QStringLiteral("<w:bookmarkEnd w:id=\"0\"/>");
const QString pictureStart = QStringLiteral("<w:bookmarkStart w:id=\"1\" w:name=\"picture\"/>");
const QString pictureEnd = QStringLiteral("<w:bookmarkEnd w:id=\"1\"/>");
const QString datePlaceholder = QStringLiteral("<w:r><w:t>yyyy年MM月dd日 hh:mm:ss</w:t></w:r>");
const QString dateRange = dateStart + "\n      " + datePlaceholder + "\n      " + dateEnd;

} // namespace

class TestReportReaders : public QObject
{
    Q_OBJECT

public:
    TestReportReaders()
    {
        m_ui.setupUi(&m_window);
        m_export.setUi(&m_ui);
    }

private:
    QStringList runWordExport()
    {
        ModalAnswerer answerer(QMessageBox::Yes);
        answerer.setSaveFileAnswer(target());
        m_export.doExport(ExportType::WordReport);
        return answerer.seen();
    }

    // The report as the reader finds it; fails the test when it does not
    // open.
    QJsonObject readable(const QString &path)
    {
        QString complaint;
        const QJsonObject report = readReport(path, &complaint);
        if (report.isEmpty())
            qWarning().noquote() << path << "does not open:" << complaint;
        return report;
    }

    QMainWindow m_window;
    Ui::MainWindow m_ui;
    ExportFile m_export;

private slots:
    void init()
    {
        QDir(installed("doc")).removeRecursively();
        QDir().mkpath(installed("doc"));
        for (const QString &name : {wordTemplate, excelTemplate})
            QFile::copy(built(name), installed(name));
        QFile::remove(target());
        for (const QString &name : QDir(installed(QString())).entryList({"*.xlsx"}, QDir::Files))
            QFile::remove(installed(name));
        setRows(m_ui.tableWidget, {});
        m_ui.sensorTypeComboBox->setCurrentIndex(0);
    }

    void wordReportOpensInPythonDocx_data()
    {
        QTest::addColumn<int>("sensorType");
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<QStringList>("headers");
        QTest::newRow("acceleration, one record")
            << 0 << Rows{{"1", "10.00", "160.00", "9.87 ms^-2", "1.234 Pc/ms^-2", "9.82", "9.77"}}
            << QStringList{"速度", "位移"};
        QTest::newRow("velocity, forty records")
            << 1 << numberedRows(40) << QStringList{"加速度", "位移"};
        QTest::newRow("displacement, awkward texts")
            << 2 << Rows{{"1", "<&\"'>", " 9.87 ", "tab\there", "line\nbreak", "😀 μm", "控制幅度"}}
            << QStringList{"加速度", "速度"};
    }

    // The records fill the rows below the header in table order; the date,
    // the picture and both bookmarks are there.
    void wordReportOpensInPythonDocx()
    {
        QFETCH(int, sensorType);
        QFETCH(Rows, rows);
        QFETCH(QStringList, headers);
        m_ui.sensorTypeComboBox->setCurrentIndex(sensorType);
        setRows(m_ui.tableWidget, rows);
        QCOMPARE(runWordExport(), QStringList{success});
        const QJsonObject report = readable(target());
        QVERIFY(!report.isEmpty());
        const Rows table = tableOf(report, 0);
        QCOMPARE(table.size(), rows.size() + 1);
        QCOMPARE(table.first().mid(5), headers);
        QCOMPARE(table.mid(1), rows);
        const QString dateLine = report.value("paragraphs").toArray().at(1).toString();
        QVERIFY2(QRegularExpression("^报告日期：\\d{4}年\\d\\d月\\d\\d日 \\d\\d:\\d\\d:\\d\\d$")
                     .match(dateLine)
                     .hasMatch(),
                 qPrintable(dateLine));
        QCOMPARE(report.value("pictures").toInt(), 1);
        QCOMPARE(report.value("bookmarks").toArray(),
                 QJsonArray({"date", "sensor", "serial", "reference", "verdict", "picture"}));
    }

    // Characters that XML cannot carry are left out; the rest of the text
    // stays, and the report opens.
    void wordReportDropsWhatXmlCannotCarry()
    {
        setRows(m_ui.tableWidget,
                {{"1",
                  QString("a\x01"
                          "b"),
                  QString("c") + QChar(0xFFFE), QString(QChar(0xD800)) + "d", "e\x1f", "f", "g"}});
        QCOMPARE(runWordExport(), QStringList{success});
        const QJsonObject report = readable(target());
        QVERIFY(!report.isEmpty());
        QCOMPARE(tableOf(report, 0).at(1), (QStringList{"1", "ab", "c", "d", "e", "f", "g"}));
    }

    void excelReportOpensInOpenpyxl()
    {
        setRows(m_ui.tableWidget, {{"1", "10.00", "160.00", "9.87 ms^-2", "1.234"},
                                   {"2", "<&>", " lead", "_x0041_", "a\x02z"}});
        m_export.doExport(ExportType::ExcelReport);
        const QStringList reports = QDir(installed(QString())).entryList({"*.xlsx"}, QDir::Files);
        QCOMPARE(reports.size(), 1);
        const QJsonObject report = readable(installed(reports.first()));
        QVERIFY(!report.isEmpty());
        QCOMPARE(report.value("sheets").toArray(), QJsonArray({"测试结果"}));
        const QVariantMap expected{{"A1", "Order"},       {"B1", "Amplitude"},
                                   {"C1", "Frequence"},   {"D1", "ControlAmplitude"},
                                   {"E1", "Sensitivity"}, {"A2", "1"},
                                   {"B2", "10.00"},       {"C2", "160.00"},
                                   {"D2", "9.87 ms^-2"},  {"E2", "1.234"},
                                   {"A3", "2"},           {"B3", "<&>"},
                                   {"C3", " lead"},       {"D3", "_x0041_"},
                                   {"E3", "a\x02z"}};
        QCOMPARE(report.value("cells").toObject().toVariantMap(), expected);
    }

    // Cells of the template with references out of the sheet's range, or
    // none, take the place after the cell or row before them, and the
    // report opens.
    void excelTemplateCellsOutOfRangeAreRenumbered()
    {
        const QString sheetPart = QStringLiteral("xl/worksheets/sheet1.xml");
        QByteArray sheet = builtParts(excelTemplate).value(sheetPart);
        sheet.replace("</sheetData>", "<row r=\"9\"><c r=\"AAAAAAAAAAAAA9\"><v>5</v></c><c><v>6</v>"
                                      "</c></row><row r=\"99999999\"><c r=\"B1\"><v>8</v></c>"
                                      "</row></sheetData>");
        write(installed(excelTemplate), zip(builtParts(excelTemplate, {{sheetPart, sheet}})));
        setRows(m_ui.tableWidget, {{"1", "10.00", "160.00", "9.87 ms^-2", "1.234"}});
        m_export.doExport(ExportType::ExcelReport);
        const QStringList reports = QDir(installed(QString())).entryList({"*.xlsx"}, QDir::Files);
        QCOMPARE(reports.size(), 1);
        const QJsonObject report = readable(installed(reports.first()));
        const QVariantMap cells = report.value("cells").toObject().toVariantMap();
        QCOMPARE(cells.value("A2"), "1");
        QCOMPARE(cells.value("A9"), "5");
        QCOMPARE(cells.value("B9"), "6");
        QCOMPARE(cells.value("B10"), "8");
        QCOMPARE(cells.size(), 13);
    }

    void oddTemplatesFailOrOpen_data()
    {
        QTest::addColumn<QByteArray>("templateFile");
        QTest::addColumn<bool>("reported");
        const auto shape = [](const char *name, const QList<QPair<QString, QString>> &edits,
                              bool reported) {
            QTest::newRow(name) << wordTemplateWith(documentWith(edits)) << reported;
        };
        shape("date start holding its end",
              {{dateRange, "<w:bookmarkStart w:id=\"0\" w:name=\"date\">" + dateEnd +
                               "</w:bookmarkStart>" + datePlaceholder}},
              true);
        shape("date end before its start", {{dateRange, dateEnd + datePlaceholder + dateStart}},
              true);
        shape("date end missing", {{dateRange, dateStart + datePlaceholder}}, true);
        shape("duplicate bookmarks", {{pictureStart, pictureStart + dateStart + dateEnd}}, true);
        shape("picture in a cell of a second table",
              {{pictureStart + "\n      " + pictureEnd,
                "</w:p><w:tbl><w:tblGrid><w:gridCol w:w=\"9000\"/></w:tblGrid><w:tr><w:tc><w:p>" +
                    pictureStart + pictureEnd + "</w:p></w:tc></w:tr></w:tbl><w:p>"}},
              true);
        shape("picture in the model row, overwritten by a record",
              {{"<w:pPr><w:pStyle w:val=\"TableText\"/></w:pPr>\n          </w:p>\n        "
                "</w:tc>\n      </w:tr>\n    </w:tbl>",
                "<w:pPr><w:pStyle w:val=\"TableText\"/></w:pPr>" + pictureStart + pictureEnd +
                    "</w:p></w:tc></w:tr></w:tbl>"},
               {pictureStart + "\n      " + pictureEnd, ""}},
              false);
        shape("picture between table rows",
              {{"<w:tr>\n        <w:tc>", "<w:tr>" + pictureStart + pictureEnd + "<w:tc>"},
               {pictureStart + "\n      " + pictureEnd, ""}},
              true);
        QString headerOnly = wordDocument();
        headerOnly.remove(QRegularExpression("</w:tr>\\s*<w:tr>.*</w:tr>",
                                             QRegularExpression::DotMatchesEverythingOption));
        headerOnly.replace("</w:tbl>", "</w:tr></w:tbl>");
        QTest::newRow("table of the header row only") << wordTemplateWith(headerOnly) << false;
        QString sixColumns = wordDocument();
        sixColumns.replace(QRegularExpression("<w:tc>(?:(?!<w:tc>).)*?</w:tc>\\s*(</w:tr>)",
                                              QRegularExpression::DotMatchesEverythingOption),
                           "\\1");
        QTest::newRow("six columns") << wordTemplateWith(sixColumns) << false;
        shape("date range holding the table",
              {{dateEnd + "\n", ""}, {pictureStart, dateEnd + pictureStart}}, false);
        const QByteArray whole = read(built(wordTemplate));
        QTest::newRow("truncated zip") << whole.left(whole.size() / 2) << false;
        QTest::newRow("no document part")
            << zip(builtParts(wordTemplate, {{"word/document.xml", QByteArray()}})) << false;
    }

    // A failure shows the box and leaves no target, nor anything beside it;
    // a report opens and holds the records.
    void oddTemplatesFailOrOpen()
    {
        QFETCH(QByteArray, templateFile);
        QFETCH(bool, reported);
        write(installed(wordTemplate), templateFile);
        const Rows rows = numberedRows(3);
        setRows(m_ui.tableWidget, rows);
        if (!reported)
            QTest::ignoreMessage(QtDebugMsg, "导出文件失败！");
        QCOMPARE(runWordExport(), QStringList{reported ? success : failure});
        QCOMPARE(QDir::current().entryList({"report.docx*"}, QDir::Files).size(), reported ? 1 : 0);
        if (!reported)
            return;
        const QJsonObject report = readable(target());
        QVERIFY(!report.isEmpty());
        QCOMPARE(tableOf(report, 0).mid(1), rows);
        QCOMPARE(report.value("pictures").toInt(), 1);
        const QString dateLine = report.value("paragraphs").toArray().at(1).toString();
        QVERIFY2(dateLine.contains(QRegularExpression("日 \\d\\d:\\d\\d:\\d\\d")),
                 qPrintable(dateLine));
    }
};

QTEST_MAIN(TestReportReaders)
#include "tst_report_readers.moc"
