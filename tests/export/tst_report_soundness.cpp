// What the Export button's reports claim, they are: a report is written whole
// or not at all, whatever the disk does; never over one of the program's
// templates; under the name the save dialog asked about, in the interface's
// language; with the chart and the header of the table it carries. A run
// whose journal cannot be written says so in the window.
#include "ModalAnswerer.h"
#include "OfficeFiles.h"
#include "app/GlobalState.h"
#include "export/ExportFile.h"
#include "ui/WorkbenchDriver.h"

#include <QJsonArray>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtCharts/QChartView>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

using Rows = QVector<QStringList>;

const QString success = QStringLiteral("提示信息: 导出成功！");
const QString failure = QStringLiteral("提示信息: 导出文件失败！");
const QString wordFilter = QStringLiteral("Word 文件(*.docx)");
const QString excelFilter = QStringLiteral("Excel 文件(*.xlsx)");
const QString pdfFilter = QStringLiteral("PDF 文件(*.pdf)");
const QByteArray earlier("an earlier report");

QString installed(const QString &name)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
}

// A file's bytes; what is not a plain file (a pipe) only says so, unread.
QByteArray contents(const QString &path)
{
    return QFileInfo(path).isFile() ? OfficeFiles::read(path) : QByteArray("not a plain file");
}

// Result rows at the frequencies given, 10.00 amplitude, sensitivities rising.
Rows resultRows(const QList<int> &frequencies)
{
    Rows rows;
    for (const int frequency : frequencies)
        rows << QStringList{QString::number(rows.size() + 1),
                            "10.00",
                            QString::number(frequency) + ".00",
                            "9.87 ms^-2",
                            QString::number(1 + rows.size() * 0.25, 'f', 3) + " Pc/ms^-2",
                            "15.92 mms^-1",
                            "25.33 um"};
    return rows;
}

Rows manyRows(int count)
{
    QList<int> frequencies;
    for (int row = 0; row < count; ++row)
        frequencies << 100 + 50 * row;
    return resultRows(frequencies);
}

void setRows(QTableWidget *table, const Rows &rows)
{
    table->setRowCount(rows.size());
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < rows.at(row).size(); ++column)
            table->setItem(row, column, new QTableWidgetItem(rows.at(row).at(column)));
    }
}

// Width, in columns, of what the picture shows in the curve's colour below
// the legend at its top.
int curveSpan(const QImage &image)
{
    int first = image.width();
    int last = -1;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = image.height() / 4; y < image.height(); ++y) {
            const QColor colour = image.pixelColor(x, y);
            if (qAbs(colour.red() - 30) < 20 && qAbs(colour.green() - 144) < 20 &&
                colour.blue() > 235) {
                first = qMin(first, x);
                last = x;
                break;
            }
        }
    }
    return last < 0 ? 0 : last - first + 1;
}

struct FileLimit
{
    explicit FileLimit(rlim_t bytes)
    {
        const rlimit limit{bytes, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileLimit()
    {
        const rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &unlimited);
    }
};

} // namespace

class TestReportSoundness : public QObject
{
    Q_OBJECT

private:
    // Exports through the Export button, the save dialog answered with the
    // name and the filter and a question with Yes; gives the boxes shown.
    QStringList exportAs(const QString &name, const QString &filter = wordFilter)
    {
        ModalAnswerer answerer(QMessageBox::Yes);
        answerer.setSaveFileAnswer(name);
        answerer.setFilterAnswer(filter);
        m_driver->click("exportBtn");
        return answerer.seen();
    }

    QString target(const QString &name) const { return m_dir.filePath(name); }

    // Size of the complete report of the current table in a format.
    qint64 reportSize(const QString &suffix)
    {
        if (suffix == "txt") {
            exportFile->doExport(ExportType::Text);
            return QFileInfo("ExportFile.txt").size();
        }
        const QString whole = target("whole." + suffix);
        if (exportAs(whole) != QStringList{success})
            return -1;
        const qint64 size = QFileInfo(whole).size();
        QFile::remove(whole);
        return size;
    }

    QTemporaryDir m_dir;
    MainWindow *m_window = nullptr;
    WorkbenchDriver *m_driver = nullptr;

private slots:
    // A file grown past the size limit fails to write instead of ending the
    // test: a full disk.
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        std::signal(SIGXFSZ, SIG_IGN);
    }

    void init()
    {
        const QDir folder(installed("doc"));
        QDir(folder).removeRecursively();
        QDir().mkpath(folder.path());
        for (const char *name : {"ExportWordBookmark.docx", "ExportExcel.xlsx"})
            QFile::copy(OfficeFiles::built(QString("doc/") + name), folder.filePath(name));
        for (const QString &name : QDir(m_dir.path()).entryList(QDir::Files | QDir::System))
            QFile::remove(target(name));
        QFile::remove("ExportFile.txt");
        m_window = new MainWindow();
        m_window->show();
        m_driver = new WorkbenchDriver(*m_window);
    }

    void cleanup()
    {
        delete m_driver;
        delete m_window;
    }

    void fullDiskLeavesNoReport_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<double>("cut");
        QTest::addColumn<bool>("existed");
        // 1: all but the last 64 bytes, as a report's size varies by a few
        // bytes with the time written into it.
        const QList<QPair<const char *, double>> cuts{
            {"nothing", 0}, {"a third", 0.33}, {"two thirds", 0.67}, {"the last bytes", 1}};
        for (const char *suffix : {"docx", "xlsx", "pdf", "txt"}) {
            for (int i = 0; i < cuts.size(); ++i)
                QTest::addRow("%s, %s", suffix, cuts.at(i).first)
                    << suffix << cuts.at(i).second << (i % 2 == 1);
        }
    }

    // The disk takes the first bytes of the report and no more: the failure
    // box, and the file as it was. The text export, which shows no box, logs.
    void fullDiskLeavesNoReport()
    {
        QFETCH(QString, suffix);
        QFETCH(double, cut);
        QFETCH(bool, existed);
        setRows(m_driver->widget<QTableWidget>("tableWidget"), manyRows(40));
        m_window->changeInterface(TestFinished);
        const qint64 size = reportSize(suffix);
        QVERIFY(size > 0);
        const bool text = suffix == "txt";
        const QString path =
            text ? QDir::current().filePath("ExportFile.txt") : target("r." + suffix);
        QFile::remove(path);
        if (existed)
            OfficeFiles::write(path, earlier);
        QStringList seen;
        {
            const FileLimit limit(cut < 1 ? size * cut : size - 64);
            if (text) {
                QTest::ignoreMessage(QtDebugMsg, "不能打开文件写入！");
                exportFile->doExport(ExportType::Text);
            } else {
                seen = exportAs(path);
            }
        }
        if (!text)
            QCOMPARE(seen.value(seen.size() - 1), failure);
        QCOMPARE(QFile::exists(path), existed);
        if (existed)
            QCOMPARE(OfficeFiles::read(path), earlier);
        QCOMPARE(QDir(QFileInfo(path).path()).entryList({"*." + suffix + "*"}, QDir::Files),
                 existed ? QStringList{QFileInfo(path).fileName()} : QStringList());
    }

    void refusedTargets_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("kept");
        const QString word = installed("doc/ExportWordBookmark.docx");
        const QString excel = installed("doc/ExportExcel.xlsx");
        QTest::newRow("the Word template") << word << excelFilter << word;
        QTest::newRow("the Excel template, named without suffix")
            << installed("doc/ExportExcel") << excelFilter << excel;
        QTest::newRow("a link to the Word template") << "link.docx" << wordFilter << word;
        QTest::newRow("a pipe") << "pipe.pdf" << pdfFilter << "pipe.pdf";
    }

    // Choosing one of the program's templates, or a file that is not a plain
    // file, fails the export and leaves the file as it was.
    void refusedTargets()
    {
        QFETCH(QString, name);
        QFETCH(QString, filter);
        QFETCH(QString, kept);
        QVERIFY(QFile::link(installed("doc/ExportWordBookmark.docx"), target("link.docx")));
        QCOMPARE(::mkfifo(qPrintable(target("pipe.pdf")), 0644), 0);
        const QString keptPath = QDir(m_dir.path()).absoluteFilePath(kept);
        const QByteArray before = contents(keptPath);
        setRows(m_driver->widget<QTableWidget>("tableWidget"), manyRows(3));
        const QStringList seen = exportAs(QDir(m_dir.path()).absoluteFilePath(name), filter);
        QCOMPARE(seen.value(seen.size() - 1), failure);
        QCOMPARE(contents(keptPath), before);
        QVERIFY(QFileInfo(target("link.docx")).isSymLink());
    }

    void dialogAsksAboutTheFileWritten_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("written");
        QTest::newRow("report exists: that file")
            << "report" << wordFilter << QStringList{"report"} << "report";
        QTest::newRow("report.xlsx exists: the suffix comes first")
            << "report" << excelFilter << QStringList{"report.xlsx"} << "report.xlsx";
        QTest::newRow("point in the name: kept as typed")
            << "10.5Hz" << pdfFilter << QStringList{"10.5Hz.pdf"} << "10.5Hz";
    }

    // The dialog gives a new name without a point the suffix of the chosen
    // file type before it asks whether to replace a file, so it asks once, in
    // Chinese, about the file that is then written; other files stay as they
    // were.
    void dialogAsksAboutTheFileWritten()
    {
        QFETCH(QString, typed);
        QFETCH(QString, filter);
        QFETCH(QStringList, existing);
        QFETCH(QString, written);
        for (const QString &name : existing)
            OfficeFiles::write(target(name), earlier);
        setRows(m_driver->widget<QTableWidget>("tableWidget"), manyRows(3));
        QStringList expected{success};
        if (existing.contains(written))
            expected.prepend("保存文件对话框: " + QFileInfo(written).fileName() +
                             " 已存在。\n您想要替换它吗？");
        QCOMPARE(exportAs(target(typed), filter), expected);
        QVERIFY(OfficeFiles::read(target(written)) != earlier);
        for (const QString &name : existing) {
            if (name != written)
                QCOMPARE(OfficeFiles::read(target(name)), earlier);
        }
    }

    void reportShowsTheTablesChart_data()
    {
        QTest::addColumn<bool>("afterRun");
        QTest::addColumn<bool>("wideCurve");
        QTest::newRow("before the first run") << false << true;
        QTest::newRow("after a run, two rows deleted") << true << false;
    }

    // The Word report's picture is the chart of the table in the report, and
    // its header row says what the window's does; the window's chart and its
    // home ranges stay as they are.
    void reportShowsTheTablesChart()
    {
        QFETCH(bool, afterRun);
        QFETCH(bool, wideCurve);
        auto *table = m_driver->widget<QTableWidget>("tableWidget");
        setRows(table, resultRows({100, 1000, 5000}));
        if (afterRun) {
            m_window->changeInterface(TestFinished);
            for (int i = 0; i < 2; ++i) {
                table->setCurrentCell(0, 0);
                m_driver->click("deleteBtn");
            }
        }
        auto *view = m_driver->widget<QtCharts::QChartView>("sensitivityGraphicsView");
        const QtCharts::QChart *shown = view->chart();
        const float homeMax = xAxisHomeMax;
        QCOMPARE(exportAs(target("r.docx")), QStringList{success});
        QCOMPARE(view->chart(), shown);
        QCOMPARE(xAxisHomeMax, homeMax);

        const QImage picture =
            QImage::fromData(OfficeFiles::unzip(target("r.docx")).value("word/media/image1.png"));
        QCOMPARE(picture.size(), ExportFile::pictureSize());
        const int span = curveSpan(picture);
        QVERIFY2(wideCurve ? span > picture.width() / 2 : span > 0 && span < picture.width() / 20,
                 qPrintable(QString::number(span)));
        QString complaint;
        const QJsonArray header =
            OfficeFiles::readReport(target("r.docx"), &complaint).value("tables")[0][0].toArray();
        QStringList headerTexts;
        for (int column = 0; column < table->columnCount(); ++column)
            headerTexts << table->horizontalHeaderItem(column)->text();
        QCOMPARE(header.toVariantList(), QVariant(headerTexts).toList());
    }

    // A journal that cannot be written is told in the status bar once per
    // run, and a later run that keeps its journal clears it.
    void unwritableJournalIsShown()
    {
        auto *statusBar = m_window->findChild<QStatusBar *>();
        QDir("Results").removeRecursively();
        OfficeFiles::write("Results", "a file where the folder belongs");
        QSignalSpy messages(statusBar, &QStatusBar::messageChanged);
        m_window->changeInterface(TestStart);
        m_window->changeInterface(TestFinished);
        QVERIFY2(statusBar->currentMessage().startsWith("运行记录无法写入"),
                 qPrintable(statusBar->currentMessage()));
        QCOMPARE(messages.size(), 1);
        QFile::remove("Results");
        m_window->changeInterface(TestStart);
        m_window->changeInterface(TestFinished);
        QCOMPARE(statusBar->currentMessage(), QString());
    }
};

QTEST_MAIN(TestReportSoundness)
#include "tst_report_soundness.moc"
