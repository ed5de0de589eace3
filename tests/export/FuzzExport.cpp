#include "FuzzExport.h"

#include "ModalAnswerer.h"
#include "OfficeFiles.h"
#include "app/AppPaths.h"
#include "export/ExportFile.h"
#include "export/office/ooxml/DocxDocument.h"
#include "export/office/ooxml/XlsxWorkbook.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMap>
#include <QMessageBox>
#include <QTableWidget>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

const char *const exportFailed = "导出文件失败！";

bool failureLogged = false;

// Qt's messages are dropped, but for the failure of an export.
void noteFailure(QtMsgType, const QMessageLogContext &, const QString &message)
{
    if (message == QString::fromUtf8(exportFailed))
        failureLogged = true;
}

void check(bool promise)
{
    if (!promise)
        std::abort();
}

void writeFile(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    check(file.open(QIODevice::WriteOnly) && file.write(data) == data.size());
}

// The program as the export button reaches it: the results table and the
// sensor type of the form, a chart picture, and an answerer of the save
// dialog and the message boxes.
class Program
{
public:
    Program() : m_answerer(QMessageBox::Ok, 0)
    {
        m_ui.tableWidget = &m_table;
        m_ui.sensorTypeComboBox = &m_sensorType;
        m_sensorType.addItems({"0", "1", "2"});
        m_sensorType.setCurrentIndex(1);
        m_table.setColumnCount(7);
        m_table.setRowCount(3);
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 7; ++column)
                m_table.setItem(row, column,
                                new QTableWidgetItem(QStringLiteral("%1.%2").arg(row).arg(column)));
        }
        m_export.setUi(&m_ui);
        QPixmap chart(60, 30);
        chart.fill(Qt::blue);
        m_export.m_picture = chart;
        m_answerer.setSaveFileAnswer(target());
    }

    ExportFile &exporter() { return m_export; }
    QString target() const { return m_targets.filePath(QStringLiteral("report.docx")); }
    QStringList targetFolder() const
    {
        return QDir(m_targets.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }
    QStringList takeBoxes()
    {
        const QStringList boxes = m_answerer.seen();
        m_answerer.clear();
        return boxes;
    }

private:
    QTableWidget m_table;
    QComboBox m_sensorType;
    Ui::MainWindow m_ui;
    ExportFile m_export;
    QTemporaryDir m_targets;
    ModalAnswerer m_answerer;
};

Program &program()
{
    static int argc = 1;
    static char name[] = "fuzz_export";
    static char *argv[] = {name, nullptr};
    static QApplication *application = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(noteFailure);
        return new QApplication(argc, argv);
    }();
    Q_UNUSED(application);
    static Program *instance = new Program();
    return *instance;
}

} // namespace

// Fontconfig, which the dialogs load, keeps allocations that it never frees.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

QByteArray FuzzExport::templateWith(const QString &name, const QString &part,
                                    const QByteArray &bytes)
{
    static QMap<QString, QMap<QString, QByteArray>> built;
    if (!built.contains(name))
        built.insert(name, OfficeFiles::unzip(QStringLiteral(RT58_TEMPLATE_DIR "/") + name));
    QMap<QString, QByteArray> parts = built.value(name);
    parts.insert(part, bytes);
    return OfficeFiles::zip(parts);
}

void FuzzExport::runWordReport(const QByteArray &templateFile)
{
    Program &exporting = program();
    writeFile(AppPaths::templateDir() + QStringLiteral("/ExportWordBookmark.docx"), templateFile);
    exporting.exporter().doExport(ExportType::WordReport);
    const QStringList boxes = exporting.takeBoxes();
    if (boxes == QStringList{QStringLiteral("Info: Export success!")}) {
        QString error;
        const auto report = DocxDocument::open(exporting.target(), &error);
        check(report && !report->tables().empty());
        check(QFile::remove(exporting.target()));
    } else {
        check(boxes == QStringList{QStringLiteral("Info: ") + QString::fromUtf8(exportFailed)});
    }
    check(exporting.targetFolder().isEmpty());
}

void FuzzExport::runExcelReport(const QByteArray &templateFile)
{
    Program &exporting = program();
    writeFile(AppPaths::templateDir() + QStringLiteral("/ExportExcel.xlsx"), templateFile);
    failureLogged = false;
    exporting.exporter().doExport(ExportType::ExcelReport);
    const QDir folder(QCoreApplication::applicationDirPath());
    const QStringList reports = folder.entryList({QStringLiteral("*.xlsx*")}, QDir::Files);
    if (failureLogged) {
        check(reports.isEmpty());
        return;
    }
    check(reports.size() == 1);
    QString error;
    const auto report = XlsxWorkbook::open(folder.filePath(reports.first()), &error);
    XlsxSheet *sheet = report ? report->sheet(0, &error) : nullptr;
    check(sheet && report->cellText(*sheet, 1, 1) == QLatin1String("Order") &&
          report->cellText(*sheet, 4, 5) == QLatin1String("2.4"));
    check(QFile::remove(folder.filePath(reports.first())));
}
