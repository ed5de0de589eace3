#include "ModalAnswerer.h"
#include "app/GlobalState.h"
#include "export/ExportFile.h"
#include "export/office/AutomationObject.h"
#include "ui_MainWindow.h"

#include <QDomDocument>
#include <QImage>
#include <QMainWindow>
#include <QPainter>
#include <QtTest>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

// The exports of ExportFile, and the Office automation layer beneath them.
// Each test starts from fresh copies of the built templates and samples in
// the program's own folder, where the exports look for them.

namespace {

using Parts = QMap<QString, QByteArray>;
using Rows = QVector<QStringList>;
using Cells = QMap<QString, QString>;

const QString wNs = QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");
const QString wordTemplate = QStringLiteral("doc/ExportWordBookmark.docx");
const QString excelTemplate = QStringLiteral("doc/ExportExcel.xlsx");
const QString sheetPart = QStringLiteral("xl/worksheets/sheet1.xml");
const QString exportFailed = QStringLiteral("导出文件失败！");
const QString success = QStringLiteral("Info: Export success!");

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(data);
}

Parts readZip(const QString &path)
{
    Parts parts;
    QuaZip zip(path);
    zip.open(QuaZip::mdUnzip);
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        QuaZipFile file(&zip);
        file.open(QIODevice::ReadOnly);
        parts.insert(zip.getCurrentFileName(), file.readAll());
    }
    return parts;
}

// The bytes of a zip package of the parts; empty parts are left out.
QByteArray zipped(const Parts &parts)
{
    const QString path = QDir::current().filePath("zipped.zip");
    QFile::remove(path);
    QuaZip zip(path);
    zip.open(QuaZip::mdCreate);
    for (auto it = parts.cbegin(); it != parts.cend(); ++it) {
        QuaZipFile file(&zip);
        if (!it.value().isEmpty() && file.open(QIODevice::WriteOnly, QuaZipNewInfo(it.key())))
            file.write(it.value());
    }
    zip.close();
    return readFile(path);
}

QString built(const QString &name)
{
    return QString::fromLocal8Bit(qgetenv("RT58_BINARY_DIR")) + QLatin1Char('/') + name;
}

QString installed(const QString &name)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
}

// The parts of a built document with some replaced.
Parts builtParts(const QString &name, const Parts &replaced = Parts())
{
    Parts parts = readZip(built(name));
    parts.insert(replaced);
    return parts;
}

QString templateDocument()
{
    return QString::fromUtf8(builtParts(wordTemplate).value("word/document.xml"));
}

// The built Word template with another document part, or none.
QByteArray wordTemplateWith(const QString &document)
{
    return zipped(builtParts(wordTemplate, {{"word/document.xml", document.toUtf8()}}));
}

QDomDocument documentXml(const QString &docxPath)
{
    QDomDocument document;
    document.setContent(readZip(docxPath).value("word/document.xml"), true);
    return document;
}

QString wordText(const QDomElement &element)
{
    QString text;
    const QDomNodeList texts = element.elementsByTagNameNS(wNs, "t");
    for (int i = 0; i < texts.size(); ++i)
        text += texts.at(i).toElement().text();
    return text;
}

// Texts of the cells of the document's table rows.
Rows tableTexts(const QString &docxPath)
{
    Rows rows;
    const QDomNodeList found = documentXml(docxPath).elementsByTagNameNS(wNs, "tr");
    for (int row = 0; row < found.size(); ++row) {
        const QDomNodeList cells = found.at(row).toElement().elementsByTagNameNS(wNs, "tc");
        rows.append(QStringList());
        for (int cell = 0; cell < cells.size(); ++cell)
            rows.last().append(wordText(cells.at(cell).toElement()));
    }
    return rows;
}

// Texts of the paragraphs of the document body, outside tables.
QStringList paragraphTexts(const QString &docxPath)
{
    QStringList texts;
    const QDomElement body = documentXml(docxPath).documentElement().firstChildElement();
    for (QDomElement e = body.firstChildElement("p"); !e.isNull(); e = e.nextSiblingElement("p"))
        texts.append(wordText(e));
    return texts;
}

// Cells of the first sheet of a workbook by reference ("B3"), with the text
// of their value or inline string.
Cells sheetCells(const QString &path)
{
    QDomDocument sheet;
    sheet.setContent(readZip(path).value(sheetPart));
    Cells cells;
    const QDomNodeList found = sheet.elementsByTagName("c");
    for (int i = 0; i < found.size(); ++i)
        cells.insert(found.at(i).toElement().attribute("r"), found.at(i).toElement().text());
    return cells;
}

// Fills the results table; a "-" leaves its cell without an item.
void setRows(QTableWidget *table, const Rows &rows)
{
    table->setRowCount(0);
    table->setRowCount(rows.size());
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < rows.at(row).size(); ++column) {
            if (rows.at(row).at(column) != "-")
                table->setItem(row, column, new QTableWidgetItem(rows.at(row).at(column)));
        }
    }
}

QString chosenTarget()
{
    return QDir::current().filePath("report.docx");
}

QStringList datedReports(const QString &suffix)
{
    QStringList paths;
    const QDir folder(installed(QString()));
    for (const QString &name : folder.entryList({"*年*月*日*时*分*秒" + suffix}, QDir::Files))
        paths.append(folder.filePath(name));
    return paths;
}

} // namespace

class TestExport : public QObject
{
    Q_OBJECT

public:
    TestExport()
    {
        m_ui.setupUi(&m_window);
        m_export.setUi(&m_ui);
    }

private:
    // Runs the Word report, answering the save dialog with the target (or
    // cancelling it) and a question with Yes, and gives the boxes shown.
    QStringList runWordExport(const QString &target)
    {
        ModalAnswerer answerer(QMessageBox::Yes);
        answerer.setSaveFileAnswer(target);
        m_export.doExport(ExportType::WordReport);
        return answerer.seen();
    }

    QMainWindow m_window;
    Ui::MainWindow m_ui;
    ExportFile m_export;

private slots:
    void init()
    {
        for (const char *folder : {"doc", "samples"}) {
            const QDir target(installed(folder));
            QDir(target).removeRecursively();
            QDir().mkpath(target.path());
            const QDir source(built(folder));
            for (const QString &name : source.entryList({"*.docx", "*.xlsx"}, QDir::Files))
                QFile::copy(source.filePath(name), target.filePath(name));
        }
        for (const QString &report : datedReports(".*"))
            QFile::remove(report);
        QFile::remove(chosenTarget());
        setRows(m_ui.tableWidget, {});
        m_ui.sensorTypeComboBox->setCurrentIndex(0);
        m_export.m_picture = QPixmap();
    }

    void textExportWritesTheByteLayout_data()
    {
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<QByteArray>("text");
        const QByteArray header = "Order Amplitude Frequence ControlAmplitude Sensitivity\n";
        QTest::newRow("missing and empty items")
            << Rows{{"1", "10", "160", "9.87", "1.234", "5.00"}, {"2", "", "80", "-", "-"}}
            << header + "1 10 160 9.87 1.234 \n2  80           \n";
        QTest::newRow("empty table") << Rows() << header;
        QTest::newRow("unwritable") << Rows{{"1"}} << QByteArray();
    }

    // The export overwrites an earlier file; where a folder is in its way it
    // writes nothing.
    void textExportWritesTheByteLayout()
    {
        QFETCH(Rows, rows);
        QFETCH(QByteArray, text);
        const QString path = QStringLiteral("ExportFile.txt");
        if (text.isEmpty()) {
            QDir().mkdir(path);
            QTest::ignoreMessage(QtDebugMsg, "不能打开文件写入！");
        } else {
            writeFile(path, QByteArray(500, 'x'));
        }
        setRows(m_ui.tableWidget, rows);
        m_export.doExport(ExportType::Text);
        QCOMPARE(readFile(path), text);
        QVERIFY(QDir().rmdir(path) || QFile::remove(path));
    }

    void wordReportFillsTheTable_data()
    {
        QTest::addColumn<int>("sensorType");
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<QStringList>("headers");
        QTest::addColumn<QString>("target");
        QTest::newRow("one record")
            << 0 << Rows{{"1", "10.00", "160.00", "9.87 ms^-2", "1.234 Pc/ms^-2", "9.82", "9.77"}}
            << QStringList{"速度", "位移"} << "new";
        QTest::newRow("three records, target replaced")
            << 1
            << Rows{{"1", "a1", "f1", "c1", "s1", "x1", "y1"},
                    {"2", "a2", "f2", "c2", "s2", "x2", "y2"},
                    {"3", "a3", "f3", "c3", "s3", "x3", "y3"}}
            << QStringList{"加速度", "位移"} << "existing";
        QTest::newRow("items missing, dialog cancelled")
            << 2 << Rows{{"1", "-", "160", "-", "-", "-", "-"}} << QStringList{"加速度", "速度"}
            << "cancelled";
    }

    // Each cell of the template's model row is written, or cleared for a
    // missing item. Header cells 6 and 7 name the quantities the sensor type
    // does not measure. A target whose replacement was confirmed is replaced;
    // a cancelled dialog names the report after the time.
    void wordReportFillsTheTable()
    {
        QFETCH(int, sensorType);
        QFETCH(Rows, rows);
        QFETCH(QStringList, headers);
        QFETCH(QString, target);
        writeFile(installed(wordTemplate),
                  wordTemplateWith(templateDocument().replace(
                      QRegularExpression("(TableText\"/></w:pPr>)(\\s*</w:p>)"),
                      "\\1<w:r><w:t>model</w:t></w:r>\\2")));
        if (target == "existing")
            writeFile(chosenTarget(), "an earlier report");
        const bool cancelled = target == "cancelled";
        if (cancelled)
            QTest::ignoreMessage(QtDebugMsg, "未设置导出文件路径");
        m_ui.sensorTypeComboBox->setCurrentIndex(sensorType);
        setRows(m_ui.tableWidget, rows);
        const QStringList seen = runWordExport(cancelled ? QString() : chosenTarget());
        QCOMPARE(seen.size(), target == "existing" ? 2 : 1);
        QCOMPARE(seen.last(), success);
        const QStringList reports = datedReports(".docx");
        QCOMPARE(reports.size(), cancelled ? 1 : 0);
        const Rows table = tableTexts(cancelled ? reports.first() : chosenTarget());
        QCOMPARE(table.first().mid(5), headers);
        for (QStringList &row : rows)
            row.replaceInStrings(QRegularExpression("^-$"), QString());
        QCOMPARE(table.mid(1), rows);
    }

    // The chart is stored in the file beside a picture the template holds,
    // with ids of its own; texts are escaped.
    void wordReportStoresTheChart()
    {
        Parts parts = builtParts(wordTemplate, {{"word/media/image1.png", "logo"}});
        parts["word/document.xml"].replace(
            "<w:bookmarkStart w:id=\"1\"",
            "<w:r><w:drawing><wp:inline xmlns:wp=\"http://schemas.openxmlformats.org/"
            "drawingml/2006/wordprocessingDrawing\"><wp:docPr id=\"1\"/></wp:inline></w:drawing>"
            "</w:r><w:bookmarkStart w:id=\"1\"");
        parts["word/_rels/document.xml.rels"].replace(
            "</Relationships>", "<Relationship Id=\"rId9\" Type=\"http://schemas.openxmlformats"
                                ".org/officeDocument/2006/relationships/image\" "
                                "Target=\"media/image1.png\"/></Relationships>");
        writeFile(installed(wordTemplate), zipped(parts));
        QPixmap chart(100, 50);
        chart.fill(Qt::red);
        m_export.m_picture = chart;
        setRows(m_ui.tableWidget, {{"1", "10.00", "160.00"}, {"2", "<&\"'>", "80.00"}});
        QCOMPARE(runWordExport(chosenTarget()), QStringList{success});

        parts = readZip(chosenTarget());
        QCOMPARE(parts.value("word/media/image1.png"), QByteArray("logo"));
        QCOMPARE(QImage::fromData(parts.value("word/media/image2.png")).pixelColor(10, 10),
                 QColor(Qt::red));
        const QString imageId = QRegularExpression("Id=\"(\\w+)\" [^>]*Target=\"media/image2.png\"")
                                    .match(parts.value("word/_rels/document.xml.rels"))
                                    .captured(1);
        QVERIFY(!imageId.isEmpty() && imageId != "rId9");
        const QString xml = parts.value("word/document.xml");
        QVERIFY(xml.contains("r:embed=\"" + imageId + '"'));
        QCOMPARE(xml.count("docPr id="), 2);
        QCOMPARE(xml.count("docPr id=\"1\""), 1);
        QCOMPARE(tableTexts(chosenTarget()).at(2).at(1), "<&\"'>");
    }

    void failedWordReportWritesNoTarget_data()
    {
        QTest::addColumn<QByteArray>("templateFile");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("log");
        const QString document = templateDocument();
        const auto failure = [](const char *name, const QByteArray &file) {
            QTest::newRow(name) << file << chosenTarget() << exportFailed;
        };
        QTest::newRow("missing template") << QByteArray() << chosenTarget() << "文件不存在!";
        failure("not a zip", "plain text");
        failure("no document part", wordTemplateWith(QString()));
        failure("no table",
                wordTemplateWith(QString(document).remove(QRegularExpression(
                    "<w:tbl>.*</w:tbl>", QRegularExpression::DotMatchesEverythingOption))));
        failure("no date", wordTemplateWith(QString(document).replace("\"date\"", "\"day\"")));
        failure("no picture", wordTemplateWith(QString(document).replace("\"picture\"", "\"x\"")));
        QTest::newRow("unwritable target folder")
            << readFile(built(wordTemplate)) << "/proc/rt58-report.docx"
            << "文件复制失败!";
    }

    // Nothing is written to or beside the target; after a failure in Word
    // the working copy is closed without saving.
    void failedWordReportWritesNoTarget()
    {
        QFETCH(QByteArray, templateFile);
        QFETCH(QString, target);
        QFETCH(QString, log);
        writeFile(installed(wordTemplate), templateFile);
        if (templateFile.isEmpty())
            QFile::remove(installed(wordTemplate));
        setRows(m_ui.tableWidget, {{"1", "10.00", "160.00"}});
        QTest::ignoreMessage(QtDebugMsg, qPrintable(log));
        QCOMPARE(runWordExport(target), QStringList{"Info: " + exportFailed});
        const QFileInfo info(target);
        QCOMPARE(info.dir().entryList({info.fileName() + '*'}, QDir::Files), QStringList());
        if (log == exportFailed)
            QCOMPARE(readFile(exportTempDir.filePath("test.docx")), templateFile);
    }

    // Every failure before the report is written is shown: a missing doc
    // folder, a chart image that cannot be saved in the temporary folder.
    void failureBeforeWordIsShown()
    {
        setRows(m_ui.tableWidget, {{"1", "10.00", "160.00"}});
        QVERIFY(QDir(installed("doc")).removeRecursively());
        QTest::ignoreMessage(QtDebugMsg, "文件不存在!");
        QCOMPARE(runWordExport(chosenTarget()), QStringList{"Info: " + exportFailed});
        init();
        setRows(m_ui.tableWidget, {{"1", "10.00", "160.00"}});
        const QString image = exportTempDir.filePath("result.png");
        QFile::remove(image);
        QVERIFY(QDir().mkpath(image));
        QTest::ignoreMessage(QtDebugMsg, "保存图片失败!");
        const QStringList seen = runWordExport(chosenTarget());
        QDir(image).removeRecursively();
        QCOMPARE(seen, QStringList{"Info: " + exportFailed});
        QVERIFY(!QFile::exists(chosenTarget()));
    }

    // No dialog for an empty table, only the message.
    void emptyTableAsksForARecord()
    {
        ModalAnswerer answerer;
        answerer.setSaveFileAnswer(chosenTarget());
        m_export.doExport(ExportType::WordReport);
        QCOMPARE(answerer.seen(), QStringList{"Info: 导出失败，至少添加一条记录！"});
        QCOMPARE(answerer.fileDialogs(), QStringList());
        QVERIFY(!QFile::exists(chosenTarget()));
    }

    // A cancelled dialog writes the report under the exact default name, in
    // the program's folder; the date bookmark holds the export's time.
    void defaultNameAndDateBookmark()
    {
        setRows(m_ui.tableWidget, {{"1", "10.00", "160.00"}});
        QTest::ignoreMessage(QtDebugMsg, "未设置导出文件路径");
        const QDateTime before = QDateTime::currentDateTime();
        QCOMPARE(runWordExport(QString()), QStringList{success});
        const QDateTime after = QDateTime::currentDateTime();
        const QStringList reports = datedReports(".docx");
        QCOMPARE(reports.size(), 1);
        const QString name = QFileInfo(reports.first()).fileName();
        const QString nameFormat = "yyyy年MM月dd日hh时mm分ss秒'.docx'";
        QVERIFY2(name == before.toString(nameFormat) || name == after.toString(nameFormat),
                 qPrintable(name));
        QCOMPARE(QFileInfo(reports.first()).absolutePath(), installed(QString()).chopped(1));
        const QString dateFormat = "yyyy年MM月dd日 hh:mm:ss";
        const QString dated = paragraphTexts(reports.first()).filter("报告日期：").value(0);
        QVERIFY2(dated == "报告日期：" + before.toString(dateFormat) ||
                     dated == "报告日期：" + after.toString(dateFormat),
                 qPrintable(dated));
    }

    void chartPictureIsWhole_data()
    {
        QTest::addColumn<QSize>("pictureSize");
        QTest::newRow("normal window") << QSize(1006, 300);
        QTest::newRow("maximised window") << QSize(1900, 700);
        QTest::newRow("wide") << QSize(1200, 200);
        QTest::newRow("smaller, as it is") << QSize(400, 200);
    }

    // The chart image is 950 x 280 and holds the whole picture: a larger one
    // scaled down with its corners, a smaller one at its size, top left.
    void chartPictureIsWhole()
    {
        QFETCH(QSize, pictureSize);
        QPixmap picture(pictureSize);
        picture.fill(Qt::white);
        QPainter painter(&picture);
        for (const QPoint corner : {QPoint(0, 0), QPoint(pictureSize.width() - 30, 0),
                                    QPoint(0, pictureSize.height() - 30),
                                    QPoint(pictureSize.width() - 30, pictureSize.height() - 30)})
            painter.fillRect(QRect(corner, QSize(30, 30)), Qt::red);
        painter.end();
        m_export.m_picture = picture;
        setRows(m_ui.tableWidget, {{"1", "10.00", "160.00"}});
        QCOMPARE(runWordExport(chosenTarget()), QStringList{success});
        const QImage image =
            QImage::fromData(readZip(chosenTarget()).value("word/media/image1.png"));
        QCOMPARE(image.size(), QSize(950, 280));
        const QSize drawn =
            pictureSize.scaled(image.size(), Qt::KeepAspectRatio).boundedTo(pictureSize);
        for (const QPoint inside :
             {QPoint(3, 3), QPoint(drawn.width() - 4, 3), QPoint(3, drawn.height() - 4),
              QPoint(drawn.width() - 4, drawn.height() - 4)})
            QCOMPARE(image.pixelColor(inside), QColor(Qt::red));
        if (drawn.width() < 950)
            QCOMPARE(image.pixelColor(drawn.width() + 2, 3), QColor(Qt::white));
        QCOMPARE(image.pixelColor(drawn.width() / 2, drawn.height() / 2), QColor(Qt::white));
    }

    void excelReportFillsTheSheetAsText_data()
    {
        QTest::addColumn<QByteArray>("templateFile");
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<Cells>("templateCells");
        QTest::addColumn<bool>("reportKept");
        const Rows three{{"1", "10.00", "160.00", "9.87 ms^-2", "1.234", "x"},
                         {"2", "5.00", "80.00", "4.93 ms^-2", "1.230"},
                         {"3", "50.00", "10000.00", "49.1 ms^-2", "1.229"}};
        const QByteArray unknown = "<custom xmlns='urn:x'>\n  kept as is\n</custom>";
        const QByteArray withB3 =
            QByteArray(builtParts(excelTemplate).value(sheetPart))
                .replace("</sheetData>", "<row r=\"3\"><c r=\"B3\"><v>7</v></c>"
                                         "<c r=\"C3\"><v>5</v></c></row></sheetData>");
        QTest::newRow("three rows") << QByteArray() << three << Cells() << true;
        QTest::newRow("no rows") << QByteArray() << Rows() << Cells() << true;
        QTest::newRow("missing item, other parts")
            << zipped(builtParts(excelTemplate, {{sheetPart, withB3},
                                                 {"xl/worksheets/sheet2.xml", unknown},
                                                 {"customXml/item1.xml", unknown}}))
            << Rows{{"1", "10.00", "160.00"}, {"2", "-", "80.00"}} << Cells{{"B3", "7"}} << true;
        QTest::newRow("missing template") << QByteArray("-") << three << Cells() << false;
        QTest::newRow("not a zip") << QByteArray("text") << three << Cells() << false;
        QTest::newRow("first sheet missing")
            << zipped(builtParts(excelTemplate, {{sheetPart, ""}})) << three << Cells() << false;
    }

    // Row 1 holds the header, the rows below the table's first five columns;
    // every other part of the template is kept as it was. A missing template
    // is logged and leaves no report.
    void excelReportFillsTheSheetAsText()
    {
        QFETCH(QByteArray, templateFile);
        QFETCH(Rows, rows);
        QFETCH(Cells, templateCells);
        QFETCH(bool, reportKept);
        if (templateFile == "-") {
            QFile::remove(installed(excelTemplate));
            QTest::ignoreMessage(QtDebugMsg, "文件不存在!");
        } else if (!templateFile.isEmpty()) {
            writeFile(installed(excelTemplate), templateFile);
        }
        setRows(m_ui.tableWidget, rows);
        m_export.doExport(ExportType::ExcelReport);
        const QStringList reports = datedReports(".xlsx");
        QCOMPARE(reports.size(), reportKept ? 1 : 0);
        if (reports.isEmpty())
            return;
        Cells expected = templateCells;
        rows.prepend({"Order", "Amplitude", "Frequence", "ControlAmplitude", "Sensitivity"});
        for (int row = 0; row < rows.size(); ++row) {
            for (int column = 0; column < qMin(5, rows.at(row).size()); ++column) {
                if (rows.at(row).at(column) != "-")
                    expected.insert(QChar('A' + column) + QString::number(row + 1),
                                    rows.at(row).at(column));
            }
        }
        QCOMPARE(sheetCells(reports.first()), expected);
        Parts written = readZip(reports.first());
        Parts original = readZip(installed(excelTemplate));
        QCOMPARE(written.take(sheetPart).count("t=\"inlineStr\""),
                 expected.size() - templateCells.size());
        original.remove(sheetPart);
        QVERIFY(written == original);
    }

    // The report is named after the second it started in: a second export in
    // the same second replaces the first.
    void excelExportsInOneSecondLeaveOneFile()
    {
        setRows(m_ui.tableWidget, {{"1"}});
        const QDateTime before = QDateTime::currentDateTime();
        m_export.doExport(ExportType::ExcelReport);
        m_export.doExport(ExportType::ExcelReport);
        const bool sameSecond = before.toSecsSinceEpoch() == QDateTime::currentSecsSinceEpoch();
        QCOMPARE(datedReports(".xlsx").size(), sameSecond ? 1 : 2);
    }

    // In routine 2 the document becomes plain text; the placeholder's
    // paragraph keeps its own end after the table text, and an older copy is
    // replaced.
    void samplesWriteAndRead()
    {
        setRows(m_ui.tableWidget, {{"1", "10.00", "-", "9.87", "1.234"}, {"2", "5.00", "80.00"}});
        writeFile(installed("samples/ExportWord1.docx"), "an older copy");
        m_export.doExport(ExportType::WordPlaceholderSample);
        QCOMPARE(paragraphTexts(installed("samples/ExportWord1.docx")).join('\r'),
                 "RT-58A 测试结果\r1 10.00      9.87 1.234 \r2 5.00 80.00           \r\r"
                 "以上为本次测试的全部测试点。");
        m_export.doExport(ExportType::WordWriteSample);
        QCOMPARE(wordText(documentXml(installed("samples/WriteWord.docx")).documentElement()),
                 "Hello, World!");
        QTest::ignoreMessage(QtDebugMsg,
                             "RT-58A 读取示例\r这份文档由读取示例程序读取，其文字记入日志。\r");
        m_export.doExport(ExportType::WordReadSample);
        m_export.doExport(ExportType::ExcelWriteSample);
        m_export.doExport(ExportType::ExcelWriteSample);
        QCOMPARE(sheetCells(installed("samples/WriteExcel.xlsx")).value("A1"),
                 "RT-58A Hello World!Hello World!");
        QTest::ignoreMessage(QtDebugMsg, "RT-58A 读取示例");
        m_export.doExport(ExportType::ExcelReadSample);
    }

    // Call strings count as written, blanks included; anything else is an
    // unknown member, which fails with a warning.
    void callStringsAreMatchedExactly()
    {
        const QString document = installed(wordTemplate);
        AutomationObject word(QStringLiteral("Word.Application"));
        QVERIFY(word.setProperty("Visible", false));
        AutomationObject *documents = word.querySubObject("Documents");
        QTest::ignoreMessage(QtWarningMsg,
                             "Word.Documents: unknown member \"Open (const QString&)\"");
        QVERIFY(!documents->querySubObject("Open (const QString&)", document));
        AutomationObject *table = documents->querySubObject("Open(const QString&)", document)
                                      ->querySubObject("Tables")
                                      ->querySubObject("Item(int)", 1);
        QTest::ignoreMessage(QtWarningMsg, "Word.Table: unknown member \"Cell(int,int)\"");
        QVERIFY(!table->querySubObject("Cell(int,int)", 1, 1));
        QVERIFY(table->querySubObject("Cell(int, int)", 1, 1));

        const QString book = installed(excelTemplate);
        AutomationObject excel(QStringLiteral("Excel.Application"));
        AutomationObject *workbooks = excel.querySubObject("WorkBooks");
        QTest::ignoreMessage(QtWarningMsg,
                             "Excel.Workbooks: unknown member \"Open(const QString&)\"");
        QVERIFY(!workbooks->querySubObject("Open(const QString&)", book));
        QVERIFY(workbooks->querySubObject("Open (const QString&)", book));
        AutomationObject *sheet = excel.querySubObject("ActiveWorkBook")
                                      ->querySubObject("Sheets")
                                      ->querySubObject("Item(int)", 1);
        QTest::ignoreMessage(QtWarningMsg, "Excel.Worksheet: unknown member \"Cells(int, int)\"");
        QVERIFY(!sheet->querySubObject("Cells(int, int)", 1, 1));
        QVERIFY(sheet->querySubObject("Cells(int,int)", 1, 1));
    }

    // A bookmark's text replaces its range, across runs and paragraphs.
    void bookmarkSpansRunsAndParagraphs()
    {
        const QString path = installed(wordTemplate);
        writeFile(path,
                  wordTemplateWith(
                      "<w:document xmlns:w=\"" + wNs +
                      "\"><w:body><w:p><w:r><w:rPr><w:b/></w:rPr><w:t>A</w:t></w:r>"
                      "<w:bookmarkStart w:id=\"3\" w:name=\"date\"/><w:r><w:rPr><w:i/>"
                      "</w:rPr><w:t>B</w:t></w:r><w:r><w:t>C</w:t></w:r></w:p><w:p><w:r>"
                      "<w:t>D</w:t></w:r></w:p><w:p><w:pPr><w:jc w:val=\"right\"/></w:pPr>"
                      "<w:r><w:t>E</w:t></w:r><w:bookmarkEnd w:id=\"3\"/><w:r><w:t>F</w:t>"
                      "</w:r></w:p><w:p><w:r><w:t>G</w:t></w:r></w:p></w:body></w:document>"));
        AutomationObject word(QStringLiteral("Word.Application"));
        AutomationObject *document =
            word.querySubObject("Documents")->querySubObject("Open(const QString&)", path);
        AutomationObject *bookmark = document->querySubObject("Bookmarks(QVariant)", "date");
        QVERIFY(bookmark->dynamicCall("Select(void)").isValid());
        AutomationObject *range = bookmark->querySubObject("Range");
        QCOMPARE(range->property("Text").toString(), "BC\rD\rE");
        QVERIFY(range->setProperty("Text", "\"X\" & <Y>"));
        QVERIFY(document->dynamicCall("Save()").isValid());
        QCOMPARE(paragraphTexts(path), (QStringList{"A\"X\" & <Y>F", "G"}));
    }
};

QTEST_MAIN(TestExport)
#include "tst_export.moc"
