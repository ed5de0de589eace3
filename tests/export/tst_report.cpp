// The reports of the Export button and of the export routines, as the
// program's folder holds fresh copies of the built templates: Word, Excel and
// PDF read back by readers independent of the program (python-docx,
// openpyxl, the poppler tools); every failure in one table of format and
// breakage, the odd templates read from the fuzz seed corpus; the save
// dialog's names and questions. A new breakage is a row of failures_data().
#include "ModalAnswerer.h"
#include "OfficeFiles.h"
#include "app/GlobalState.h"
#include "export/ExportFile.h"
#include "ui_MainWindow.h"

#include <QJsonArray>
#include <QMainWindow>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace OfficeFiles;

namespace {
using Rows = QVector<QStringList>;

const QString wordTemplate = QStringLiteral("doc/ExportWordBookmark.docx");
const QString excelTemplate = QStringLiteral("doc/ExportExcel.xlsx");
const QString success = QStringLiteral("Info: Export success!");
const QString failure = QStringLiteral("Info: 导出文件失败！");
const QString datedName = QStringLiteral("*年*月*日*时*分*秒");

QString installed(const QString &name)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
}

// The reports named after the time, in the program's folder.
QStringList datedReports(const QString &suffix)
{
    return QDir(installed(QString())).entryList({datedName + suffix}, QDir::Files, QDir::Name);
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

Rows tableOf(const QJsonObject &report)
{
    Rows rows;
    for (const QJsonValue row : report.value("tables").toArray().at(0).toArray()) {
        rows.append(QStringList());
        for (const QJsonValue cell : row.toArray())
            rows.last().append(cell.toString());
    }
    return rows;
}

// Standard output of a program, or its error output, marked, when it fails.
QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return "FAILED: " + program + ' ' + process.readAllStandardError();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QPixmap chartPicture(const QSize &size)
{
    QPixmap picture(size);
    picture.fill(Qt::red);
    return picture;
}

bool isDateLine(const QString &line)
{
    return QRegularExpression("^报告日期：\\d{4}年\\d\\d月\\d\\d日 \\d\\d:\\d\\d:\\d\\d$")
        .match(line)
        .hasMatch();
}

// The document parts of the fuzz seed corpus, by file name.
QMap<QString, QByteArray> wordCorpus()
{
    QMap<QString, QByteArray> corpus;
    const QDir folder(qEnvironmentVariable("RT58_SOURCE_DIR") +
                      "/tests/export/corpus/fuzz_word_document");
    for (const QString &name : folder.entryList(QDir::Files))
        corpus.insert(name, read(folder.filePath(name)));
    return corpus;
}
} // namespace

class TestReport : public QObject
{
    Q_OBJECT

public:
    TestReport()
    {
        m_ui.setupUi(&m_window);
        m_export.setUi(&m_ui);
    }

private slots:
    // A file grown past the size limit fails to write instead of ending the
    // test: the disk full.
    void initTestCase();
    void init();
    void wordReportOpensInPythonDocx_data();
    void wordReportOpensInPythonDocx();
    void excelWorkbookHoldsTheTableAsText();
    void pdfHoldsTheReportAsText();
    void excelReportKeepsTheTemplate();
    void failures_data();
    void failures();
    void nameWithoutSuffixAndExistingFile();
    void emptyTableAndDefaultName();

private:
    void setRows(const Rows &rows);
    // The Export button's report, its dialog answered by the name and the
    // filter and its questions by the answer; gives the boxes shown.
    QStringList exportAs(const QString &name, const QString &filter = QString(),
                         QMessageBox::StandardButton answer = QMessageBox::Yes);
    // The report as the independent reader finds it; empty when it does not
    // open, with the reader's complaint in the test's output.
    QJsonObject readable(const QString &path);
    QString target(const QString &name) const { return m_targets.filePath(name); }

    QMainWindow m_window;
    Ui::MainWindow m_ui;
    ExportFile m_export;
    QTemporaryDir m_targets;
    QStringList m_fileDialogs;
};

// The odd templates are read from a seed corpus that starts from the built
// template.
void TestReport::initTestCase()
{
    std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(wordCorpus().value("template.xml"), wordDocument().toUtf8());
}

void TestReport::init()
{
    for (const char *folder : {"doc", "samples"}) {
        QDir(installed(folder)).removeRecursively();
        QVERIFY(QDir().mkpath(installed(folder)));
        const QDir source(built(folder));
        for (const QString &name : source.entryList({"*.docx", "*.xlsx"}, QDir::Files))
            QVERIFY(QFile::copy(source.filePath(name), installed(folder) + '/' + name));
    }
    for (const QString &report : datedReports(".*"))
        QFile::remove(installed(report));
    for (const QString &name : QDir(m_targets.path()).entryList(QDir::Files))
        QFile::remove(target(name));
    setRows(numberedRows(3));
    m_ui.sensorTypeComboBox->setCurrentIndex(0);
    m_export.m_picture = chartPicture(QSize(400, 200));
}

void TestReport::setRows(const Rows &rows)
{
    m_ui.tableWidget->setRowCount(0);
    m_ui.tableWidget->setRowCount(rows.size());
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < rows.at(row).size(); ++column) {
            if (rows.at(row).at(column) != "-")
                m_ui.tableWidget->setItem(row, column,
                                          new QTableWidgetItem(rows.at(row).at(column)));
        }
    }
}

QStringList TestReport::exportAs(const QString &name, const QString &filter,
                                 QMessageBox::StandardButton answer)
{
    ModalAnswerer answerer(answer);
    answerer.setSaveFileAnswer(name);
    answerer.setFilterAnswer(filter);
    m_export.doExport(ExportType::WordReport);
    m_fileDialogs = answerer.fileDialogs();
    return answerer.seen();
}

QJsonObject TestReport::readable(const QString &path)
{
    QString complaint;
    const QJsonObject report = readReport(path, &complaint);
    if (report.isEmpty())
        qWarning().noquote() << path << "does not open:" << complaint;
    return report;
}

void TestReport::wordReportOpensInPythonDocx_data()
{
    QTest::addColumn<int>("sensorType");
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<Rows>("shown");
    QTest::addColumn<QStringList>("headers");
    const Rows one{{"1", "10.00", "160.00", "9.87 ms^-2", "1.234 Pc/ms^-2", "9.82", "9.77"}};
    QTest::newRow("acceleration, one record") << 0 << one << one << QStringList{"速度", "位移"};
    QTest::newRow("velocity, forty records")
        << 1 << numberedRows(40) << numberedRows(40) << QStringList{"加速度", "位移"};
    // Characters that XML cannot carry are left out; the rest stays.
    QTest::newRow("displacement, awkward texts")
        << 2
        << Rows{{"1", "<&\"'>", " 9.87 ", "line\nbreak", "😀 μm", QString("a\x01") + "b",
                 QString(QChar(0xD800)) + "d" + QChar(0xFFFE)}}
        << Rows{{"1", "<&\"'>", " 9.87 ", "line\nbreak", "😀 μm", "ab", "d"}}
        << QStringList{"加速度", "速度"};
    QTest::newRow("item missing") << 0 << Rows{{"1", "-", "160"}}
                                  << Rows{{"1", "", "160", "", "", "", ""}}
                                  << QStringList{"速度", "位移"};
}

// The records fill the rows below the header in table order; the header
// names the quantities the sensor type does not measure; the date, the
// picture and both bookmarks are there.
void TestReport::wordReportOpensInPythonDocx()
{
    QFETCH(int, sensorType);
    QFETCH(Rows, rows);
    QFETCH(Rows, shown);
    QFETCH(QStringList, headers);
    m_ui.sensorTypeComboBox->setCurrentIndex(sensorType);
    setRows(rows);
    QCOMPARE(exportAs(target("report.docx")), QStringList{success});
    const QJsonObject report = readable(target("report.docx"));
    QVERIFY(!report.isEmpty());
    const Rows table = tableOf(report);
    QCOMPARE(table.mid(1), shown);
    QCOMPARE(table.first().mid(5), headers);
    QVERIFY2(isDateLine(report.value("paragraphs").toArray().at(1).toString()),
             qPrintable(report.value("paragraphs").toArray().at(1).toString()));
    QCOMPARE(report.value("pictures").toInt(), 1);
    QCOMPARE(report.value("bookmarks").toArray(), QJsonArray({"date", "picture"}));
}

// The header texts as the window shows them, every cell as text, numbers
// and formula-like texts included.
void TestReport::excelWorkbookHoldsTheTableAsText()
{
    m_ui.tableWidget->setHorizontalHeaderItem(5, new QTableWidgetItem("加速度"));
    setRows({{"1", "5.00", "80.00", "测试失败", "测试失败", "-", "-"},
             {"2", "<&\"'>", " lead", "_x0041_", "=1+1", "a,b", QString("a\x02z")}});
    QCOMPARE(exportAs(target("table.xlsx")), QStringList{success});
    m_ui.tableWidget->setHorizontalHeaderItem(5, nullptr);
    const QVariantMap cells =
        readable(target("table.xlsx")).value("cells").toObject().toVariantMap();
    QStringList rows;
    for (const char *row : {"1", "2", "3"}) {
        QStringList texts;
        for (const char *column : {"A", "B", "C", "D", "E", "F", "G"})
            texts << cells.value(QString(column) + row).toString();
        rows << texts.join('|');
    }
    QCOMPARE(rows, (QStringList{"Order|Amplitude|Frequency|ControlAmplitude|Sensitivity|加速度|"
                                "Displacement",
                                "1|5.00|80.00|测试失败|测试失败||",
                                "2|<&\"'>| lead|_x0041_|=1+1|a,b|a\x02z"}));
}

// A4 portrait pages of real text in embedded fonts, Chinese included: the
// title and date on the first page, the header row on every page, every row
// once, and the chart.
void TestReport::pdfHoldsTheReportAsText()
{
    m_ui.tableWidget->setHorizontalHeaderItem(0, new QTableWidgetItem("序号"));
    Rows rows = numberedRows(120);
    rows[4] = QStringList{"5", "a5", "f5", "测试失败", "测试失败", "-", "-"};
    setRows(rows);
    m_export.m_picture = chartPicture(QSize(950, 280));
    const QString path = target("r.pdf");
    QCOMPARE(exportAs(path), QStringList{success});
    m_ui.tableWidget->setHorizontalHeaderItem(0, nullptr);

    QVERIFY(run("pdfinfo", {path}).contains(QRegularExpression("Page size: +595[.\\d]* x 84[12]")));
    const QStringList pages = run("pdftotext", {"-layout", path, "-"}).split('\f');
    QVERIFY2(pages.size() >= 4, qPrintable(pages.join("\n---\n")));
    QVERIFY(pages.first().contains("RT-58A 振动传感器校准报告"));
    QVERIFY(isDateLine(QRegularExpression("报告日期：\\S+ \\S+").match(pages.first()).captured()));
    for (const QString &page : pages.mid(0, pages.size() - 2))
        QVERIFY2(page.contains(QRegularExpression("序号 +Amplitude +Frequency")), qPrintable(page));
    for (QStringList row : rows) {
        row.removeAll("-");
        const QRegularExpression line("^ *" + row.join(" +") + " *$",
                                      QRegularExpression::MultilineOption);
        QCOMPARE(pages.join('\n').count(line), 1);
    }
    const QString fonts = run("pdffonts", {path});
    QVERIFY2(fonts.contains("WenQuanYi") && !fonts.section('\n', 2).contains(
                                                QRegularExpression(" no +(yes|no) +(yes|no) +\\d")),
             qPrintable(fonts));
    QVERIFY(run("pdfimages", {"-list", path}).contains(QRegularExpression(" 950 +280 ")));
}

// The Excel report routine: a copy of the template named after the time,
// row 1 the header, the rows below the table's first five columns; a cell the
// template holds stays unless a record covers it, cells out of the sheet's
// range are renumbered, and every other part stays byte for byte. Two reports
// in the same second share a name: the second replaces the first.
void TestReport::excelReportKeepsTheTemplate()
{
    const QString sheetPart = QStringLiteral("xl/worksheets/sheet1.xml");
    QByteArray sheet = builtParts(excelTemplate).value(sheetPart);
    sheet.replace("</sheetData>", "<row r=\"4\"><c r=\"B4\"><v>7</v></c></row><row r=\"9\"><c "
                                  "r=\"AAAAAAAAAAAAA9\"><v>5</v></c><c><v>6</v></c></row><row "
                                  "r=\"99999999\"><c r=\"B1\"><v>8</v></c></row></sheetData>");
    const Parts parts = builtParts(excelTemplate, {{sheetPart, sheet}, {"customXml/a.xml", " x "}});
    write(installed(excelTemplate), zip(parts));
    setRows({{"1", "10.00", "160.00", "9.87 ms^-2", "1.234", "x"}, {"2", "-", "80.00"}});
    m_export.doExport(ExportType::ExcelReport);
    const QStringList first = datedReports(".xlsx");
    m_export.doExport(ExportType::ExcelReport);
    const QStringList reports = datedReports(".xlsx");
    QCOMPARE(reports.size(), first == reports ? 1 : 2);

    const QString report = installed(reports.last());
    const QVariantMap cells = readable(report).value("cells").toObject().toVariantMap();
    const QVariantMap expected{
        {"A1", "Order"},       {"B1", "Amplitude"}, {"C1", "Frequence"}, {"D1", "ControlAmplitude"},
        {"E1", "Sensitivity"}, {"A2", "1"},         {"B2", "10.00"},     {"C2", "160.00"},
        {"D2", "9.87 ms^-2"},  {"E2", "1.234"},     {"A3", "2"},         {"C3", "80.00"},
        {"B4", "7"},           {"A9", "5"},         {"B9", "6"},         {"B10", "8"}};
    QCOMPARE(cells, expected);
    Parts written = unzip(report);
    written.remove(sheetPart);
    Parts original = parts;
    original.remove(sheetPart);
    QVERIFY(written == original);
}

void TestReport::failures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("breakage");
    QTest::addColumn<QByteArray>("templateFile");
    QTest::addColumn<bool>("fails");
    for (const char *suffix : {"docx", "xlsx", "pdf"}) {
        const QString name = QString("r.") + suffix;
        const bool pdf = name.endsWith("pdf");
        QTest::addRow("%s, no doc folder", suffix) << name << "no doc" << QByteArray() << !pdf;
        QTest::addRow("%s, broken template", suffix)
            << name << "template" << QByteArray("not an Office file") << !pdf;
        QTest::addRow("%s, disk full", suffix) << name << "full" << QByteArray() << true;
        QTest::addRow("%s, folder refused", suffix)
            << "/proc/rt58-" + name << "" << QByteArray() << true;
    }
    QTest::newRow("docx, chart picture not saved") << "r.docx"
                                                   << "picture" << QByteArray() << true;
    const QString document = wordDocument();
    const auto word = [&document](const char *row, const QString &edited) {
        QTest::newRow(row) << "r.docx"
                           << "template" << wordTemplateWith(edited) << true;
    };
    word("docx, no table",
         QString(document).remove(QRegularExpression(
             "<w:tbl>.*</w:tbl>", QRegularExpression::DotMatchesEverythingOption)));
    word("docx, no date bookmark", QString(document).replace("\"date\"", "\"day\""));
    word("docx, no picture bookmark", QString(document).replace("\"picture\"", "\"x\""));
    const QByteArray whole = read(built(wordTemplate));
    QTest::newRow("docx, truncated zip") << "r.docx"
                                         << "template" << whole.left(whole.size() / 2) << true;
    // The odd templates of the fuzz seed corpus: these four cannot hold a
    // report; the others give one that opens.
    const QStringList failing{"date_around_table.xml", "header_row_only.xml",
                              "picture_in_model_row.xml", "six_columns.xml"};
    const QMap<QString, QByteArray> corpus = wordCorpus();
    for (auto it = corpus.cbegin(); it != corpus.cend(); ++it)
        QTest::addRow("docx, corpus %s", qPrintable(it.key()))
            << "r.docx"
            << "template" << wordTemplateWith(QString::fromUtf8(it.value()))
            << failing.contains(it.key());
}

// A failure shows the box and leaves the chosen file as it was, with nothing
// beside it; a report that is written opens, with its picture.
void TestReport::failures()
{
    QFETCH(QString, name);
    QFETCH(QString, breakage);
    QFETCH(QByteArray, templateFile);
    QFETCH(bool, fails);
    const QString path = QDir(m_targets.path()).absoluteFilePath(name);
    const bool refused = name.startsWith("/proc");
    write(path, "an earlier report");
    if (breakage == "no doc")
        QVERIFY(QDir(installed("doc")).removeRecursively());
    if (breakage == "template")
        write(installed(name.endsWith("xlsx") ? excelTemplate : wordTemplate), templateFile);
    // A folder where the chart's picture goes: it cannot be saved.
    const QString image = exportTempDir.filePath("result.png");
    if (breakage == "picture")
        QVERIFY(QFile::remove(image) && QDir().mkpath(image));
    const rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY};
    const rlimit small{2048, RLIM_INFINITY};
    if (breakage == "full")
        setrlimit(RLIMIT_FSIZE, &small);
    // The dialog asks before replacing the earlier report.
    QStringList seen = exportAs(path);
    setrlimit(RLIMIT_FSIZE, &unlimited);
    QDir(image).removeRecursively();
    if (!refused)
        seen.removeFirst();
    QCOMPARE(seen, QStringList{fails ? failure : success});
    QCOMPARE(QDir(m_targets.path()).entryList(QDir::Files | QDir::Hidden),
             refused ? QStringList() : QStringList{name});
    if (fails && !refused)
        QCOMPARE(read(path), QByteArray("an earlier report"));
    if (!fails && name.endsWith("docx"))
        QCOMPARE(readable(path).value("pictures").toInt(), 1);
}

// The dialog offers its filters in the interface's language; a name without
// suffix gets the selected filter's, and a file of that name is replaced only
// when the user agrees.
void TestReport::nameWithoutSuffixAndExistingFile()
{
    QTranslator chinese;
    QVERIFY(chinese.load(":/lang/RT-58_zh_CN.qm"));
    QCoreApplication::installTranslator(&chinese);
    const QString named = target("report.xlsx");
    const QString question =
        "提示信息: 文件“" + QDir::toNativeSeparators(named) + "”已经存在，要替换它吗？";
    const QString filter = "Excel 文件(*.xlsx)";
    const QStringList first = exportAs(target("report"), filter);
    const QStringList filters = m_fileDialogs;
    write(named, "an earlier report");
    const QStringList refused = exportAs(target("report"), filter, QMessageBox::No);
    const QByteArray kept = read(named);
    const QStringList replaced = exportAs(target("report"), filter);
    QCoreApplication::removeTranslator(&chinese);
    QCOMPARE(first, QStringList{"提示信息: 导出成功！"});
    QCOMPARE(filters, QStringList{"Word 文件(*.docx);;Word 97-2003 文件(*.doc);;"
                                  "Excel 文件(*.xlsx);;PDF 文件(*.pdf)"});
    QVERIFY(read(named).startsWith("PK") && !QFile::exists(target("report")));
    QCOMPARE(refused, QStringList{question});
    QCOMPARE(kept, QByteArray("an earlier report"));
    QCOMPARE(replaced, (QStringList{question, "提示信息: 导出成功！"}));
}

// No dialog for an empty table, only the message. A cancelled dialog writes
// the Word report under the default name, the time, in the program's folder.
void TestReport::emptyTableAndDefaultName()
{
    setRows({});
    QCOMPARE(exportAs(target("report.docx")), QStringList{"Info: 导出失败，至少添加一条记录！"});
    QCOMPARE(m_fileDialogs, QStringList());
    setRows(numberedRows(1));
    QTest::ignoreMessage(QtDebugMsg, "未设置导出文件路径");
    const QDateTime before = QDateTime::currentDateTime();
    QCOMPARE(exportAs(QString()), QStringList{success});
    const QDateTime after = QDateTime::currentDateTime();
    const QString format = "yyyy年MM月dd日hh时mm分ss秒'.docx'";
    QVERIFY(QStringList({before.toString(format), after.toString(format)})
                .contains(datedReports(".docx").value(0)));
    QVERIFY(isDateLine(readable(installed(datedReports(".docx").value(0)))
                           .value("paragraphs")
                           .toArray()
                           .at(1)
                           .toString()));
}

QTEST_MAIN(TestReport)
#include "tst_report.moc"
