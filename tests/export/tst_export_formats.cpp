#include "ModalAnswerer.h"
#include "app/GlobalState.h"
#include "export/ExportFile.h"
#include "export/ReportTarget.h"
#include "ui_MainWindow.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QMainWindow>
#include <QPainter>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

// The formats of the Export button: the name chosen in its save dialog and
// its suffix, the Excel workbook read back with openpyxl and the PDF document
// read back with the poppler tools. The program's folder holds fresh copies
// of the built templates for each test.

namespace {

using Rows = QVector<QStringList>;

const QString exportFailed = QStringLiteral("Info: 导出文件失败！");
const QString success = QStringLiteral("Info: Export success!");
const QString englishFilters = QStringLiteral(
    "Word files(*.docx);;Word 97-2003 files(*.doc);;Excel files(*.xlsx);;PDF files(*.pdf)");
// Debian's interpreter, where python3-openpyxl is installed.
const QString python = QStringLiteral("/usr/bin/python3");

QString installed(const QString &name)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
}

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

// Standard output of a program; a failed run gives its error output instead,
// marked, so that a comparison shows it.
QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return "FAILED: " + program + ' ' + process.readAllStandardError();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Every cell of the first sheet, row by row, as "type:value" (openpyxl's
// data type "s" for text), through openpyxl.
QString workbookCells(const QString &path)
{
    const QString script = QStringLiteral(
        "import json, sys, openpyxl\n"
        "sheet = openpyxl.load_workbook(sys.argv[1]).worksheets[0]\n"
        "print(json.dumps([[c.data_type + ':' + ('' if c.value is None else str(c.value))\n"
        "                   for c in row] for row in sheet.iter_rows()], ensure_ascii=False))\n");
    const QString output = run(python, {"-c", script, path});
    const QJsonArray rows = QJsonDocument::fromJson(output.toUtf8()).array();
    QStringList lines;
    for (const QJsonValue &row : rows) {
        QStringList cells;
        for (const QJsonValue &cell : row.toArray())
            cells << cell.toString();
        lines << cells.join('|');
    }
    return rows.isEmpty() ? output : lines.join('\n');
}

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

Rows resultRows(int count)
{
    Rows rows;
    for (int row = 1; row <= count; ++row)
        rows << QStringList{QString::number(row),
                            "10.00",
                            QString::number(100 + row) + ".00",
                            "9.87 ms^-2",
                            "1.234 Pc/ms^-2",
                            "15.92 mms^-1",
                            "25.33 um"};
    return rows;
}

// A chart picture with a red mark in each corner.
QPixmap markedPicture(const QSize &size)
{
    QPixmap picture(size);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    for (const QPoint corner :
         {QPoint(0, 0), QPoint(size.width() - 20, 0), QPoint(0, size.height() - 20),
          QPoint(size.width() - 20, size.height() - 20)})
        painter.fillRect(QRect(corner, QSize(20, 20)), Qt::red);
    return picture;
}

} // namespace

class TestExportFormats : public QObject
{
    Q_OBJECT

public:
    TestExportFormats()
    {
        m_ui.setupUi(&m_window);
        m_export.setUi(&m_ui);
    }

private:
    // Runs the Export button's export with the dialog answered by the name
    // and the filter, and questions by the answer; gives the boxes shown.
    QStringList exportAs(const QString &name, const QString &filter = QString(),
                         QMessageBox::StandardButton answer = QMessageBox::Yes)
    {
        ModalAnswerer answerer(answer);
        answerer.setSaveFileAnswer(name);
        answerer.setFilterAnswer(filter);
        m_export.doExport(ExportType::WordReport);
        m_fileDialogs = answerer.fileDialogs();
        return answerer.seen();
    }

    QString target(const QString &name) const { return m_dir.filePath(name); }

    QMainWindow m_window;
    Ui::MainWindow m_ui;
    ExportFile m_export;
    QTemporaryDir m_dir;
    QStringList m_fileDialogs;

private slots:
    // A file grown past the size limit fails to write instead of ending the
    // test: the disk full.
    void initTestCase() { std::signal(SIGXFSZ, SIG_IGN); }

    void init()
    {
        const QDir folder(installed("doc"));
        QDir(folder).removeRecursively();
        QDir().mkpath(folder.path());
        const QDir built(qEnvironmentVariable("RT58_BINARY_DIR") + "/doc");
        for (const QString &name : built.entryList({"*.docx", "*.xlsx"}, QDir::Files))
            QFile::copy(built.filePath(name), folder.filePath(name));
        QVERIFY(m_dir.isValid());
        for (const QString &name : QDir(m_dir.path()).entryList(QDir::Files))
            QFile::remove(target(name));
        setRows(m_ui.tableWidget, resultRows(3));
        m_export.m_picture = markedPicture(QSize(400, 200));
    }

    void targetFromTheDialog_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<int>("format");
        const QString word = "Word files(*.docx)";
        const QString excel = "Excel 文件(*.xlsx)";
        const QString pdf = "PDF files(*.pdf)";
        QTest::newRow("docx") << "/r/a.docx" << pdf << 0;
        QTest::newRow("doc") << "/r/a.doc" << excel << 0;
        QTest::newRow("xlsx, upper case") << "/r/a.XLSX" << word << 1;
        QTest::newRow("pdf") << "/r/a.pdf" << word << 2;
        QTest::newRow("no suffix, Excel") << "/r/a" << excel << 1;
        QTest::newRow("no filter") << "/r/a" << QString() << 0;
        QTest::newRow("unknown suffix") << "/r/10.5Hz" << pdf << 2;
        QTest::newRow("point in the folder") << "/r.pdf/a" << word << 0;
    }

    // The file is written as named, in the format its suffix selects, or the
    // selected filter's.
    void targetFromTheDialog()
    {
        QFETCH(QString, name);
        QFETCH(QString, filter);
        QFETCH(int, format);
        const ReportTarget target(name, filter);
        QCOMPARE(target.path(), name);
        QCOMPARE(static_cast<int>(target.format()), format);
    }

    // The dialog offers the Word filters first, then Excel and PDF, in the
    // interface's language.
    void dialogOffersFourFilters()
    {
        QCOMPARE(exportAs(target("a.docx")), QStringList{success});
        QCOMPARE(m_fileDialogs, QStringList{englishFilters});
        QTranslator chinese;
        QVERIFY(chinese.load(":/lang/RT-58_zh_CN.qm"));
        QCoreApplication::installTranslator(&chinese);
        const QStringList seen = exportAs(target("b"), "Excel 文件(*.xlsx)");
        QCoreApplication::removeTranslator(&chinese);
        QCOMPARE(seen, QStringList{"提示信息: 导出成功！"});
        QCOMPARE(m_fileDialogs, QStringList{"Word 文件(*.docx);;Word 97-2003 文件(*.doc);;"
                                            "Excel 文件(*.xlsx);;PDF 文件(*.pdf)"});
        QVERIFY(readFile(target("b.xlsx")).startsWith("PK"));
    }

    void nameWithoutSuffix_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QByteArray>("magic");
        QTest::newRow("Word") << "Word files(*.docx)"
                              << ".docx" << QByteArray("PK");
        QTest::newRow("Excel") << "Excel files(*.xlsx)"
                               << ".xlsx" << QByteArray("PK");
        QTest::newRow("PDF") << "PDF files(*.pdf)"
                             << ".pdf" << QByteArray("%PDF");
    }

    // A name without suffix gets the selected filter's from the dialog.
    void nameWithoutSuffix()
    {
        QFETCH(QString, filter);
        QFETCH(QString, suffix);
        QFETCH(QByteArray, magic);
        QCOMPARE(exportAs(target("report"), filter), QStringList{success});
        QVERIFY(!QFile::exists(target("report")));
        QVERIFY(readFile(target("report" + suffix)).startsWith(magic));
    }

    void excelWorkbookHoldsTheTableAsText_data()
    {
        QTest::addColumn<int>("sensorType");
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<QString>("cells");
        const QString header = "s:Order|s:Amplitude|s:Frequency|s:ControlAmplitude|s:Sensitivity";
        QTest::newRow("three rows")
            << 0 << resultRows(3).mid(0, 2)
            << header +
                   "|s:Velocity|s:Displacement\n"
                   "s:1|s:10.00|s:101.00|s:9.87 ms^-2|s:1.234 Pc/ms^-2|s:15.92 mms^-1|s:25.33 um\n"
                   "s:2|s:10.00|s:102.00|s:9.87 ms^-2|s:1.234 Pc/ms^-2|s:15.92 mms^-1|s:25.33 um";
        QTest::newRow("failed point, missing items, texts to escape")
            << 1
            << Rows{{"1", "5.00", "80.00", "测试失败", "测试失败", "-", "-"},
                    {"2", "<&\"'>", "-", "-", "=1+1", "a,b", "  x  "}}
            << header + "|s:加速度|s:位移\n"
                        "s:1|s:5.00|s:80.00|s:测试失败|s:测试失败|s:|s:\n"
                        "s:2|s:<&\"'>|s:|s:|s:=1+1|s:a,b|s:  x  ";
    }

    // Header texts as the window shows them, every cell as text, numbers and
    // formula-like texts included.
    void excelWorkbookHoldsTheTableAsText()
    {
        QFETCH(int, sensorType);
        QFETCH(Rows, rows);
        QFETCH(QString, cells);
        if (sensorType == 1) {
            m_ui.tableWidget->setHorizontalHeaderItem(5, new QTableWidgetItem("加速度"));
            m_ui.tableWidget->setHorizontalHeaderItem(6, new QTableWidgetItem("位移"));
        }
        setRows(m_ui.tableWidget, rows);
        QCOMPARE(exportAs(target("table.xlsx")), QStringList{success});
        m_ui.tableWidget->setHorizontalHeaderItem(5, nullptr);
        m_ui.tableWidget->setHorizontalHeaderItem(6, nullptr);
        QCOMPARE(workbookCells(target("table.xlsx")), cells);
    }

    // A4 portrait pages of real text in embedded fonts, Chinese included: the
    // title and date on the first page, the header row on every page, every
    // row once, and the chart.
    void pdfHoldsTheReportAsText()
    {
        m_ui.tableWidget->setHorizontalHeaderItem(0, new QTableWidgetItem("序号"));
        Rows rows = resultRows(120);
        rows[4] = QStringList{"5", "10.00", "105.00", "测试失败", "测试失败", "-", "-"};
        setRows(m_ui.tableWidget, rows);
        m_export.m_picture = markedPicture(QSize(950, 280));
        const QString path = target("r.pdf");
        const QDateTime before = QDateTime::currentDateTime();
        QCOMPARE(exportAs(path), QStringList{success});
        const QDateTime after = QDateTime::currentDateTime();
        m_ui.tableWidget->setHorizontalHeaderItem(0, nullptr);

        const QString info = run("pdfinfo", {path});
        QVERIFY2(info.contains(
                     QRegularExpression("Page size: +595[.\\d]* x 84[12][.\\d]* pts \\(A4\\)")),
                 qPrintable(info));
        const QStringList pages = run("pdftotext", {"-layout", path, "-"}).split('\f');
        QVERIFY2(pages.size() >= 4, qPrintable(pages.join("\n---\n")));
        QVERIFY(pages.first().contains("RT-58A 振动传感器校准报告"));
        const QString date =
            QRegularExpression("报告日期：(\\S+ \\S+)").match(pages.first()).captured(1);
        const QString format = "yyyy年MM月dd日 hh:mm:ss";
        QVERIFY2(date == before.toString(format) || date == after.toString(format),
                 qPrintable(date));
        const QRegularExpression header("序号 +Amplitude +Frequency +ControlAmplitude +"
                                        "Sensitivity");
        for (const QString &page : pages.mid(0, pages.size() - 2))
            QVERIFY2(page.contains(header), qPrintable(page));
        const QString text = pages.join('\n');
        for (const QStringList &row : rows) {
            QStringList cells;
            for (const QString &cell : row) {
                if (cell != "-")
                    cells << QRegularExpression::escape(cell);
            }
            const QRegularExpression line("^ *" + cells.join(" +") + " *$",
                                          QRegularExpression::MultilineOption);
            QCOMPARE(text.count(line), 1);
        }

        const QStringList fonts = run("pdffonts", {path}).split('\n', Qt::SkipEmptyParts).mid(2);
        QVERIFY(!fonts.isEmpty());
        bool chinese = false;
        for (const QString &font : fonts) {
            QVERIFY2(font.contains(QRegularExpression(" yes +(yes|no) +yes +\\d+ +\\d+$")),
                     qPrintable(font));
            chinese = chinese || font.contains("WenQuanYi");
        }
        QVERIFY2(chinese, qPrintable(fonts.join('\n')));
        const QString images = run("pdfimages", {"-list", path});
        QVERIFY2(images.contains(QRegularExpression(" 950 +280 ")), qPrintable(images));
    }

    void failedExportLeavesNoTarget_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("breakage");
        for (const char *suffix : {"docx", "xlsx", "pdf"}) {
            const QString name = QString("r.") + suffix;
            QTest::addRow("%s, no doc folder", suffix) << name << "no doc";
            QTest::addRow("%s, broken template", suffix) << name << "template";
            QTest::addRow("%s, disk full", suffix) << name << "full";
            QTest::addRow("%s, folder refused", suffix) << "/proc/rt58-" + name << "";
        }
    }

    // The failure box, and the target as it was, without a part of a report
    // or a working file beside it. The PDF needs no template.
    void failedExportLeavesNoTarget()
    {
        QFETCH(QString, name);
        QFETCH(QString, breakage);
        const bool pdf = name.endsWith(".pdf");
        const QString path = QDir(m_dir.path()).absoluteFilePath(name);
        writeFile(path, "an earlier report");
        if (breakage == "no doc")
            QVERIFY(QDir(installed("doc")).removeRecursively());
        for (const char *file : {"doc/ExportExcel.xlsx", "doc/ExportWordBookmark.docx"}) {
            if (breakage == "template")
                writeFile(installed(file), "not an Office file");
        }
        const rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY};
        const rlimit small{2048, RLIM_INFINITY};
        if (breakage == "full")
            setrlimit(RLIMIT_FSIZE, &small);
        // The dialog asks before replacing the earlier report.
        QStringList seen = exportAs(path);
        setrlimit(RLIMIT_FSIZE, &unlimited);
        if (name.startsWith("/proc"))
            seen.prepend(QString());
        const bool fails = !(pdf && (breakage == "no doc" || breakage == "template"));
        QCOMPARE(seen.mid(1), QStringList{fails ? exportFailed : success});
        if (fails && !name.startsWith("/proc"))
            QCOMPARE(readFile(path), QByteArray("an earlier report"));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
                 name.startsWith("/proc") ? QStringList() : QStringList{name});
        QVERIFY(!QFile::exists("/proc/" + name));
    }
};

QTEST_MAIN(TestExportFormats)
#include "tst_export_formats.moc"
