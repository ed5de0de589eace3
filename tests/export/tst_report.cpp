// The reports of the real window's Export button and of the export routines,
// as the program's folder holds fresh copies of the built templates: Word,
// Excel and PDF read back by readers independent of the program
// (python-docx, openpyxl, the poppler tools), the picture the chart of the
// table they carry; every failure in one table of format and breakage (a disk
// full at several points of the report, the odd templates read from the fuzz
// seed corpus); the targets refused; the save dialog's names and questions;
// the journal that cannot be written. A new breakage is a row of
// failures_data().
#include "ModalAnswerer.h"
#include "OfficeFiles.h"
#include "WorkbenchDriver.h"
#include "app/GlobalState.h"
#include "export/ExportFile.h"
#include "records/CalibrationResult.h"

#include <QJsonArray>
#include <QStatusBar>
#include <QtCharts/QChartView>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace OfficeFiles;

namespace {
using Rows = QVector<QStringList>;

const QString wordTemplate = QStringLiteral("doc/ExportWordBookmark.docx");
const QString excelTemplate = QStringLiteral("doc/ExportExcel.xlsx");
const QString success = QStringLiteral("提示信息: 导出成功！");
const QString failure = QStringLiteral("提示信息: 导出文件失败！");
const QString wordFilter = QStringLiteral("Word 文件(*.docx)");
const QString excelFilter = QStringLiteral("Excel 文件(*.xlsx)");
const QString pdfFilter = QStringLiteral("PDF 文件(*.pdf)");
const QByteArray earlier("an earlier report");
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

// Width, in columns, of what the picture shows in the curve's colour below
// the legend at its top.
int curveSpan(const QImage &image)
{
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = image.height() / 4; y < image.height(); ++y) {
            const QColor colour = image.pixelColor(x, y);
            if (qAbs(colour.red() - 30) < 20 && qAbs(colour.green() - 144) < 20 &&
                colour.blue() > 235) {
                columns << x;
                break;
            }
        }
    }
    return columns.isEmpty() ? 0 : columns.last() - columns.first() + 1;
}

// A file's bytes; what is not a plain file (a pipe) only says so, unread.
QByteArray contents(const QString &path)
{
    return QFileInfo(path).isFile() ? read(path) : QByteArray("not a plain file");
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

private slots:
    // A file grown past the size limit fails to write instead of ending the
    // test: the disk full.
    void initTestCase();
    void init();
    void wordReportOpensInPythonDocx_data();
    void wordReportOpensInPythonDocx();
    void excelReportKeepsTheTemplate();
    void failures_data();
    void failures();
    void refusedTargets_data();
    void refusedTargets();
    void dialogAsksAboutTheFileWritten_data();
    void dialogAsksAboutTheFileWritten();
    void reportShowsTheTablesChart_data();
    void reportShowsTheTablesChart();
    void certificateWithoutVerdict_data();
    void certificateWithoutVerdict();
    void unwritableJournalIsShown();

private:
    QTableWidget *table() { return m_driver.widget<QTableWidget>("tableWidget"); }
    void setRows(const Rows &rows);
    // The Export button's report, its dialog answered by the name and the
    // filter and its questions by the answer; gives the boxes shown.
    QStringList exportAs(const QString &name, const QString &filter = QString(),
                         QMessageBox::StandardButton answer = QMessageBox::Yes);
    // The report as the independent reader finds it; empty when it does not
    // open, with the reader's complaint in the test's output.
    QJsonObject readable(const QString &path);
    QString target(const QString &name) const { return m_targets.filePath(name); }
    // Size of the whole report of the table in the format of the name.
    qint64 reportSize(const QString &name);

    MainWindow m_window;
    WorkbenchDriver m_driver{m_window};
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
    for (const QString &name : QDir(m_targets.path()).entryList(QDir::Files | QDir::System))
        QFile::remove(target(name));
    setRows(numberedRows(3));
    m_driver.widget<QComboBox>("sensorTypeComboBox")->setCurrentIndex(0);
}

void TestReport::setRows(const Rows &rows)
{
    table()->setRowCount(0);
    table()->setRowCount(rows.size());
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < rows.at(row).size(); ++column) {
            if (rows.at(row).at(column) != "-")
                table()->setItem(row, column, new QTableWidgetItem(rows.at(row).at(column)));
        }
    }
}

QStringList TestReport::exportAs(const QString &name, const QString &filter,
                                 QMessageBox::StandardButton answer)
{
    ModalAnswerer answerer(answer);
    answerer.setSaveFileAnswer(name);
    answerer.setFilterAnswer(filter);
    m_driver.click("exportBtn");
    m_fileDialogs = answerer.fileDialogs();
    return answerer.seen();
}

qint64 TestReport::reportSize(const QString &name)
{
    if (name.endsWith(".txt")) {
        exportFile->doExport(ExportType::Text);
        return QFileInfo(name).size();
    }
    const QString whole = target("whole." + QFileInfo(name).suffix());
    const qint64 size = exportAs(whole) == QStringList{success} ? QFileInfo(whole).size() : -1;
    QFile::remove(whole);
    return size;
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
}

// The records fill the rows below the header in table order; the header
// says what the window's does, and names the quantities the sensor type does
// not measure; the date, the
// picture and both bookmarks are there.
void TestReport::wordReportOpensInPythonDocx()
{
    QFETCH(int, sensorType);
    QFETCH(Rows, rows);
    QFETCH(Rows, shown);
    QFETCH(QStringList, headers);
    m_driver.widget<QComboBox>("sensorTypeComboBox")->setCurrentIndex(sensorType);
    setRows(rows);
    QCOMPARE(exportAs(target("report.docx")), QStringList{success});
    const QJsonObject report = readable(target("report.docx"));
    QVERIFY(!report.isEmpty());
    const Rows table = tableOf(report);
    QCOMPARE(table.mid(1), shown);
    QCOMPARE(table.first(), QStringList({"序号", "幅值", "频率", "控制幅值", "灵敏度"}) + headers);
    QVERIFY2(isDateLine(report.value("paragraphs").toArray().at(1).toString()),
             qPrintable(report.value("paragraphs").toArray().at(1).toString()));
    QCOMPARE(report.value("pictures").toInt(), 1);
    QCOMPARE(report.value("bookmarks").toArray(),
             QJsonArray({"date", "sensor", "serial", "reference", "verdict", "picture"}));
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
    exportFile->doExport(ExportType::ExcelReport);
    const QStringList first = datedReports(".xlsx");
    exportFile->doExport(ExportType::ExcelReport);
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
    // The disk takes nothing, a third, two thirds, or all but the last 64
    // bytes of the report (its size varies by a few bytes with the time
    // written into it).
    const QList<QPair<const char *, const char *>> cuts{
        {"nothing", "0"}, {"a third", "0.33"}, {"two thirds", "0.67"}, {"the last bytes", "1"}};
    for (const char *suffix : {"docx", "xlsx", "pdf", "txt"}) {
        const QString name = QString(suffix) == "txt" ? "ExportFile.txt" : QString("r.") + suffix;
        for (const auto &cut : cuts)
            QTest::addRow("%s, disk full after %s", suffix, cut.first)
                << name << QString("full ") + cut.second << QByteArray() << true;
        if (name.endsWith("txt"))
            continue;
        const bool pdf = name.endsWith("pdf");
        QTest::addRow("%s, no doc folder", suffix) << name << "no doc" << QByteArray() << !pdf;
        QTest::addRow("%s, broken template", suffix)
            << name << "template" << QByteArray("not an Office file") << !pdf;
        QTest::addRow("%s, folder refused", suffix)
            << "/proc/rt58-" + name << "" << QByteArray() << true;
    }
    QTest::newRow("xlsx, written") << "r.xlsx"
                                   << "" << QByteArray() << false;
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

// A failure shows the box (the text export, which shows none, logs) and
// leaves the earlier file as it was, with nothing beside it; a report that is
// written opens, with its picture or the window's header and the rows as
// text, or holds A4 pages of real text, every row
// once, in embedded fonts, Chinese included.
void TestReport::failures()
{
    QFETCH(QString, name);
    QFETCH(QString, breakage);
    QFETCH(QByteArray, templateFile);
    QFETCH(bool, fails);
    const bool text = name.endsWith("txt");
    const QString path = QDir(text ? QDir::currentPath() : m_targets.path()).absoluteFilePath(name);
    const bool refused = name.startsWith("/proc");
    setRows(numberedRows(40));
    const qint64 size = breakage.startsWith("full") ? reportSize(path) : 0;
    QVERIFY(size >= 0);
    write(path, earlier);
    if (breakage == "no doc")
        QVERIFY(QDir(installed("doc")).removeRecursively());
    if (breakage == "template")
        write(installed(name.endsWith("xlsx") ? excelTemplate : wordTemplate), templateFile);
    // A folder where the chart's picture goes: it cannot be saved.
    const QString image = exportTempDir.filePath("result.png");
    if (breakage == "picture")
        QVERIFY(QFile::remove(image) && QDir().mkpath(image));
    const double cut = breakage.section(' ', 1).toDouble();
    const rlimit full{cut < 1 ? rlim_t(size * cut) : rlim_t(size - 64), RLIM_INFINITY};
    const rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY};
    if (breakage.startsWith("full"))
        setrlimit(RLIMIT_FSIZE, &full);
    if (text)
        QTest::ignoreMessage(QtDebugMsg, "不能打开文件写入！");
    QStringList seen = text ? QStringList() : exportAs(path);
    if (text)
        exportFile->doExport(ExportType::Text);
    setrlimit(RLIMIT_FSIZE, &unlimited);
    QDir(image).removeRecursively();
    // The dialog asks before replacing the earlier report.
    if (!refused && !text)
        seen.removeFirst();
    QCOMPARE(seen, text ? QStringList() : QStringList{fails ? failure : success});
    const QString fileName = QFileInfo(path).fileName();
    QCOMPARE(QFileInfo(path).dir().entryList({fileName + '*'}, QDir::Files | QDir::Hidden),
             refused ? QStringList() : QStringList{fileName});
    if (fails && !refused)
        QCOMPARE(read(path), earlier);
    if (fails)
        return;
    if (!name.endsWith("pdf")) {
        const QJsonObject report = readable(path), cells = report.value("cells").toObject();
        QVERIFY(name.endsWith("xlsx") ? cells.value("A1") == "序号" && cells.value("G41") == "y40"
                                      : report.value("pictures") == 1);
        return;
    }
    QVERIFY(run("pdfinfo", {path}).contains(QRegularExpression("Page size: +595[.\\d]* x 84[12]")));
    const QString pages = run("pdftotext", {"-layout", path, "-"});
    QVERIFY(pages.contains("RT-58A 振动传感器校准报告"));
    for (const QStringList &row : numberedRows(40))
        QCOMPARE(pages.count(QRegularExpression("^ *" + row.join(" +") + " *$",
                                                QRegularExpression::MultilineOption)),
                 1);
    const QString fonts = run("pdffonts", {path});
    QVERIFY2(fonts.contains("WenQuanYi") && !fonts.section('\n', 2).contains(
                                                QRegularExpression(" no +(yes|no) +(yes|no) +\\d")),
             qPrintable(fonts));
}

void TestReport::refusedTargets_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("kept");
    const QString word = installed(wordTemplate);
    QTest::newRow("the Word template") << word << excelFilter << word;
    QTest::newRow("the Excel template, named without suffix")
        << installed("doc/ExportExcel") << excelFilter << installed(excelTemplate);
    QTest::newRow("a link to the Word template") << "link.docx" << wordFilter << word;
    QTest::newRow("a pipe") << "pipe.pdf" << pdfFilter << "pipe.pdf";
}

// One of the program's templates, or a file that is not a plain file, fails
// the export and is left as it was.
void TestReport::refusedTargets()
{
    QFETCH(QString, name);
    QFETCH(QString, filter);
    QFETCH(QString, kept);
    QVERIFY(QFile::link(installed(wordTemplate), target("link.docx")));
    QCOMPARE(::mkfifo(qPrintable(target("pipe.pdf")), 0644), 0);
    const QString keptPath = QDir(m_targets.path()).absoluteFilePath(kept);
    const QByteArray before = contents(keptPath);
    const QStringList seen = exportAs(QDir(m_targets.path()).absoluteFilePath(name), filter);
    QCOMPARE(seen.value(seen.size() - 1), failure);
    QCOMPARE(contents(keptPath), before);
    QVERIFY(QFileInfo(target("link.docx")).isSymLink());
}

void TestReport::dialogAsksAboutTheFileWritten_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("written");
    QTest::newRow("new name: the filter's suffix")
        << "report" << excelFilter << QStringList() << "report.xlsx";
    QTest::newRow("report exists: that file")
        << "report" << wordFilter << QStringList{"report"} << "report";
    QTest::newRow("report.xlsx exists: the suffix comes first")
        << "report" << excelFilter << QStringList{"report.xlsx"} << "report.xlsx";
    QTest::newRow("point in the name: kept as typed")
        << "10.5Hz" << pdfFilter << QStringList{"10.5Hz.pdf"} << "10.5Hz";
}

// The dialog offers its filters in the interface's language. It gives a new
// name without a point the suffix of the chosen file type before it asks
// whether to replace a file, so it asks once, in Chinese, about the file that
// is then written; other files stay as they were.
void TestReport::dialogAsksAboutTheFileWritten()
{
    QFETCH(QString, typed);
    QFETCH(QString, filter);
    QFETCH(QStringList, existing);
    QFETCH(QString, written);
    for (const QString &name : existing)
        write(target(name), earlier);
    QStringList expected{success};
    if (existing.contains(written))
        expected.prepend("保存文件对话框: " + written + " 已存在。\n您想要替换它吗？");
    QCOMPARE(exportAs(target(typed), filter), expected);
    QCOMPARE(m_fileDialogs, QStringList{"Word 文件(*.docx);;Word 97-2003 文件(*.doc);;"
                                        "Excel 文件(*.xlsx);;PDF 文件(*.pdf)"});
    QVERIFY(read(target(written)) != earlier);
    for (const QString &name : existing) {
        if (name != written)
            QCOMPARE(read(target(name)), earlier);
    }
}

void TestReport::reportShowsTheTablesChart_data()
{
    QTest::addColumn<bool>("afterRun");
    QTest::newRow("before the first run") << false;
    QTest::newRow("after a run, two rows deleted") << true;
}

// The Word report's picture is the chart of the table in the report, its
// curve as wide as the table's frequencies; the window's chart and its home
// ranges stay as they are.
void TestReport::reportShowsTheTablesChart()
{
    QFETCH(bool, afterRun);
    Rows rows;
    for (const char *frequency : {"100.00", "1000.00", "5000.00"})
        rows.append({QString::number(rows.size() + 1), "10.00", frequency, "9.87 ms^-2",
                     QString::number(1 + rows.size() * 0.25, 'f', 3) + " Pc/ms^-2"});
    setRows(rows);
    if (afterRun) {
        m_window.changeInterface(TestFinished);
        for (int i = 0; i < 2; ++i) {
            table()->setCurrentCell(0, 0);
            m_driver.click("deleteBtn");
        }
    }
    auto *view = m_driver.widget<QtCharts::QChartView>("sensitivityGraphicsView");
    const QtCharts::QChart *shown = view->chart();
    const float homeMax = xAxisHomeMax;
    QCOMPARE(exportAs(target("r.docx")), QStringList{success});
    QCOMPARE(view->chart(), shown);
    QCOMPARE(xAxisHomeMax, homeMax);
    const QImage picture = QImage::fromData(unzip(target("r.docx")).value("word/media/image1.png"));
    QCOMPARE(picture.size(), ExportFile::pictureSize());
    const int span = curveSpan(picture);
    QVERIFY2(afterRun ? span > 0 && span < picture.width() / 20 : span > picture.width() / 2,
             qPrintable(QString::number(span)));
}

void TestReport::certificateWithoutVerdict_data()
{
    QTest::addColumn<int>("sensorType");
    QTest::addColumn<QString>("verdict");
    QTest::newRow("no point at the reference frequency") << 0 << "方案中没有参考频率的点";
    QTest::newRow("types not as registered") << 1 << "传感器类型或输入类型与登记不符";
}

// A run that cannot be judged says why in both certificates; it shows no
// reference sensitivity and no deviation that it does not have.
void TestReport::certificateWithoutVerdict()
{
    QFETCH(int, sensorType);
    QFETCH(QString, verdict);
    Sensor sensor;
    sensor.id = 1;
    sensor.model = "CA-YD-185";
    sensor.serial = "SN 0042";
    const Rows rows = numberedRows(3);
    QVector<PointRecord> points;
    for (const QStringList &row : rows)
        points.append({points.size(), PointRecord::Measured, row});
    exportFile->setCertificate(sensor, CalibrationResult::evaluate(sensor, sensorType, 0, points));
    setRows(rows);
    QCOMPARE(exportAs(target("c.pdf")), QStringList{success});
    QCOMPARE(exportAs(target("c.docx")), QStringList{success});
    exportFile->clearCertificate();
    const QString pdf = run("pdftotext", {target("c.pdf"), "-"});
    const QString docx =
        readable(target("c.docx")).value("paragraphs").toVariant().toStringList().join('\n');
    for (const QString &text : {pdf, docx}) {
        QVERIFY2(text.contains("SN 0042") && text.contains("无结论：" + verdict), qPrintable(text));
        QVERIFY2(!text.contains(QRegularExpression("[+-]\\d+\\.\\d\\d %")), qPrintable(text));
    }
    QVERIFY2(sensorType || pdf.contains("参考灵敏度：无（参考频率 160.00 Hz）"), qPrintable(pdf));
}

// A journal that cannot be written is told in the status bar once per run,
// and a later run that keeps its journal clears it.
void TestReport::unwritableJournalIsShown()
{
    QStatusBar *statusBar = m_window.statusBar();
    QDir("Results").removeRecursively();
    write("Results", "a file where the folder belongs");
    QSignalSpy messages(statusBar, &QStatusBar::messageChanged);
    m_window.changeInterface(TestStart);
    m_window.changeInterface(TestFinished);
    QVERIFY2(statusBar->currentMessage().startsWith("运行记录无法写入"),
             qPrintable(statusBar->currentMessage()));
    QCOMPARE(messages.size(), 1);
    QFile::remove("Results");
    m_window.changeInterface(TestStart);
    m_window.changeInterface(TestFinished);
    QCOMPARE(statusBar->currentMessage(), QString());
}

QTEST_MAIN(TestReport)
#include "tst_report.moc"
