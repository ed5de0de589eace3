#include "export/ExportFile.h"

#include "app/AppPaths.h"
#include "app/GlobalState.h"
#include "export/AtomicFile.h"
#include "export/PdfReport.h"
#include "export/ReportFileDialog.h"
#include "export/ReportTarget.h"
#include "export/TableTexts.h"
#include "export/office/AutomationObject.h"
#include "export/office/word/WdAutoFitBehavior.h"
#include "ui/ResultCalculator.h"
#include "ui_MainWindow.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QTextStream>

#include <memory>

namespace {

const QString fileDateFormat = QStringLiteral("yyyy年MM月dd日hh时mm分ss秒");
const QString bookmarkDateFormat = QStringLiteral("yyyy年MM月dd日 hh:mm:ss");
constexpr int chartImageWidth = 950;
constexpr int chartImageHeight = 280;
// Columns of the results table in the Word report.
constexpr int wordColumnCount = 7;
// Columns of the results table in the text export, the Excel report and
// the sample table text.
constexpr int plainColumnCount = 5;
const QString excelHeader =
    QStringLiteral("Order,Amplitude,Frequence,ControlAmplitude,Sensitivity");
const QString resultPlaceholder = QStringLiteral("{result}");
} // namespace

ExportFile::ExportFile() = default;

void ExportFile::setUi(Ui::MainWindow *ui)
{
    m_ui = ui;
}

QSize ExportFile::pictureSize()
{
    return {chartImageWidth, chartImageHeight};
}

void ExportFile::setCertificate(const Sensor &sensor, const CalibrationResult &result)
{
    m_sensor = sensor;
    m_result = result;
}

void ExportFile::clearCertificate()
{
    m_sensor = Sensor();
    m_result = CalibrationResult();
}

void ExportFile::doExport(int type)
{
    switch (type) {
    case ExportType::Text:
        exportTxt();
        break;
    case ExportType::WordReport:
        exportWord();
        break;
    case ExportType::WordPlaceholderSample:
        replaceWordPlaceholder();
        break;
    case ExportType::WordWriteSample:
        writeWordSample();
        break;
    case ExportType::WordReadSample:
        readWordSample();
        break;
    case ExportType::ExcelReport:
        exportExcel();
        break;
    case ExportType::ExcelWriteSample:
        writeExcelSample();
        break;
    case ExportType::ExcelReadSample:
        readExcelSample();
        break;
    default:
        break;
    }
}

void ExportFile::exportTxt()
{
    QByteArray text;
    QTextStream stream(&text, QIODevice::WriteOnly);
    stream << "Order Amplitude Frequence ControlAmplitude Sensitivity\n";
    for (int row = 0; row < m_ui->tableWidget->rowCount(); ++row)
        stream << rowText(row) << '\n';
    stream.flush();
    QString error;
    if (!AtomicFile::write(QStringLiteral("ExportFile.txt"), text, &error)) {
        qDebug().noquote() << tr("不能打开文件写入！");
        qWarning().noquote() << error;
    }
}

// The Export button's report, in the format that the chosen name's suffix
// selects. A program that quits while the dialog is open exports nothing; a
// target that is one of the program's own documents is refused.
void ExportFile::exportWord()
{
    if (m_ui->tableWidget->rowCount() < 1) {
        showInfo(tr("导出失败，至少添加一条记录！"));
        return;
    }
    const ReportTarget target = askReportTarget(defaultTarget(QStringLiteral(".docx")));
    if (target.path().isEmpty())
        return;
    if (isProgramDocument(target.path())) {
        qDebug().noquote() << QStringLiteral("不能用报告覆盖程序的模板:") << target.path();
        reportFailure();
        return;
    }
    switch (target.format()) {
    case ReportTarget::ExcelWorkbook:
        writeExcelTable(target.path());
        break;
    case ReportTarget::PdfDocument:
        writePdfReport(target.path());
        break;
    case ReportTarget::WordReport:
        writeWordReport(target.path());
        break;
    }
}

// Every failure that leaves no report is shown, not only logged.
void ExportFile::writeWordReport(const QString &targetPath)
{
    const QString templatePath =
        AppPaths::templateDir() + QStringLiteral("/ExportWordBookmark.docx");
    const QString workingPath = exportTempDir.filePath(QStringLiteral("test.docx"));
    const QString imagePath = exportTempDir.filePath(QStringLiteral("result.png"));
    if (!copyTemplate(templatePath, workingPath)) {
        reportFailure();
        return;
    }
    if (!saveChartImage(imagePath)) {
        qDebug().noquote() << tr("保存图片失败!");
        reportFailure();
        return;
    }
    if (!fillWordReport(workingPath, imagePath)) {
        qDebug().noquote() << tr("导出文件失败！");
        reportFailure();
        return;
    }
    if (!copyWhole(workingPath, targetPath)) {
        qDebug().noquote() << tr("文件复制失败!");
        reportFailure();
        return;
    }
    showInfo(tr("Export success!"));
}

// The table as the window shows it, in a working copy of the Excel template
// that is put in place only when complete.
void ExportFile::writeExcelTable(const QString &targetPath)
{
    const QString templatePath = AppPaths::templateDir() + QStringLiteral("/ExportExcel.xlsx");
    const QString workingPath = exportTempDir.filePath(QStringLiteral("table.xlsx"));
    if (!copyTemplate(templatePath, workingPath)) {
        reportFailure();
        return;
    }
    if (!fillExcelWorkbook(workingPath, &ExportFile::writeExcelTable)) {
        qDebug().noquote() << tr("导出文件失败！");
        reportFailure();
        return;
    }
    if (!copyWhole(workingPath, targetPath)) {
        qDebug().noquote() << tr("文件复制失败!");
        reportFailure();
        return;
    }
    showInfo(tr("Export success!"));
}

void ExportFile::writePdfReport(const QString &targetPath)
{
    const QString date = QDateTime::currentDateTime().toString(bookmarkDateFormat);
    QStringList header = TableTexts::header(m_ui->tableWidget);
    QVector<QStringList> rows = TableTexts::rows(m_ui->tableWidget);
    if (m_sensor.isValid()) {
        header << tr("偏差");
        for (int row = 0; row < rows.size(); ++row)
            rows[row] << m_result.deviationText(row);
    }
    PdfReport report(tr("RT-58A 振动传感器校准报告"), tr("报告日期：") + date, header, rows,
                     chartImage());
    report.setCertificate(certificateLines());
    QString error;
    if (!report.write(targetPath, &error)) {
        qDebug().noquote() << tr("导出文件失败！") << error;
        reportFailure();
        return;
    }
    showInfo(tr("Export success!"));
}

// The Excel report: a dated copy of the template, filled in place. On an
// automation failure the copy, which would look like a report, is removed.
void ExportFile::exportExcel()
{
    const QString templatePath = AppPaths::templateDir() + QStringLiteral("/ExportExcel.xlsx");
    const QString targetPath = defaultTarget(QStringLiteral(".xlsx"));
    if (!copyTemplate(templatePath, targetPath))
        return;
    if (!fillExcelWorkbook(targetPath, &ExportFile::writeExcelRows)) {
        qDebug().noquote() << tr("导出文件失败！");
        QFile::remove(targetPath);
    }
}

// Sample: fills the "{result}" placeholder of a Word document with the
// table text; the document becomes plain text.
void ExportFile::replaceWordPlaceholder()
{
    const QString copyPath = samplePath(QStringLiteral("ExportWord1.docx"));
    if (!copyTemplate(samplePath(QStringLiteral("ExportWordReplace.docx")), copyPath))
        return;
    AutomationObject word(QStringLiteral("Word.Application"));
    word.setProperty("Visible", false);
    AutomationObject *documents = word.querySubObject("Documents");
    AutomationObject *document =
        documents ? documents->querySubObject("Open(const QString&)", copyPath) : nullptr;
    AutomationObject *range = document ? document->querySubObject("Range()") : nullptr;
    if (!range)
        return;
    QString text = range->property("Text").toString();
    text.replace(resultPlaceholder, resultText());
    range->dynamicCall("SetText(const QString&)", text);
    document->dynamicCall("Save()");
    document->dynamicCall("Close()");
    word.dynamicCall("Quit()");
}

void ExportFile::writeWordSample()
{
    AutomationObject word(QStringLiteral("Word.Application"));
    word.setProperty("Visible", false);
    AutomationObject *documents = word.querySubObject("Documents");
    AutomationObject *document = documents ? documents->querySubObject("Add()") : nullptr;
    AutomationObject *range = document ? document->querySubObject("Range()") : nullptr;
    if (!range)
        return;
    range->dynamicCall("InsertAfter(QString)", QStringLiteral("Hello, World!"));
    document->dynamicCall("SaveAs(const QString&)", samplePath(QStringLiteral("WriteWord.docx")));
    document->dynamicCall("Close()");
    word.dynamicCall("Quit()");
}

void ExportFile::readWordSample()
{
    AutomationObject word(QStringLiteral("Word.Application"));
    word.setProperty("Visible", false);
    AutomationObject *documents = word.querySubObject("Documents");
    AutomationObject *document =
        documents ? documents->querySubObject("Open(const QString&)",
                                              samplePath(QStringLiteral("ReadWord.docx")))
                  : nullptr;
    AutomationObject *range = document ? document->querySubObject("Range()") : nullptr;
    if (!range)
        return;
    qDebug().noquote() << range->property("Text").toString();
    document->dynamicCall("Close()");
    word.dynamicCall("Quit()");
}

void ExportFile::writeExcelSample()
{
    AutomationObject excel(QStringLiteral("Excel.Application"));
    AutomationObject *workbook = nullptr;
    AutomationObject *sheet =
        openFirstSheet(excel, samplePath(QStringLiteral("WriteExcel.xlsx")), &workbook);
    AutomationObject *cell = sheet ? sheet->querySubObject("Cells(int,int)", 1, 1) : nullptr;
    if (!cell)
        return;
    const QString text = cell->property("Value").toString();
    cell->dynamicCall("SetValue(const QString&)", text + QStringLiteral("Hello World!"));
    workbook->dynamicCall("Save()");
    workbook->dynamicCall("Close(Boolean)", false);
    excel.dynamicCall("Quit()");
}

void ExportFile::readExcelSample()
{
    AutomationObject excel(QStringLiteral("Excel.Application"));
    AutomationObject *workbook = nullptr;
    AutomationObject *sheet =
        openFirstSheet(excel, samplePath(QStringLiteral("ReadExcel.xlsx")), &workbook);
    AutomationObject *cell = sheet ? sheet->querySubObject("Cells(int,int)", 1, 1) : nullptr;
    if (!cell)
        return;
    qDebug().noquote() << cell->property("Value").toString();
    workbook->dynamicCall("Close(Boolean)", false);
    excel.dynamicCall("Quit()");
}

// A cancelled dialog gives the default target; a dialog ended by the
// program quitting gives an empty target.
ReportTarget ExportFile::askReportTarget(const QString &defaultTarget) const
{
    const QString filters = tr("Word files(*.docx);;Word 97-2003 files(*.doc)") +
                            QStringLiteral(";;") + tr("Excel files(*.xlsx)") +
                            QStringLiteral(";;") + tr("PDF files(*.pdf)");
    ReportFileDialog dialog(tr("save file dialog"), defaultTarget, filters);
    switch (dialog.ask()) {
    case ReportFileDialog::Chosen:
        return ReportTarget(dialog.selectedFiles().value(0), dialog.selectedNameFilter());
    case ReportFileDialog::Cancelled:
        qDebug().noquote() << tr("未设置导出文件路径");
        return ReportTarget(defaultTarget, QString());
    case ReportFileDialog::Interrupted:
        break;
    }
    qDebug().noquote() << QStringLiteral("程序正在退出, 不导出报告");
    return ReportTarget();
}

// Copies a template to the path where it is filled, replacing an earlier
// copy. The copy is a new file, writable whatever the template's permissions.
bool ExportFile::copyTemplate(const QString &templatePath, const QString &copyPath) const
{
    if (!QFile::exists(templatePath)) {
        qDebug().noquote() << tr("文件不存在!");
        return false;
    }
    if (QFile::exists(copyPath) && !QFile::remove(copyPath)) {
        qDebug().noquote() << tr("文件已经存在!");
        return false;
    }
    if (!copyWhole(templatePath, copyPath)) {
        qDebug().noquote() << tr("文件复制失败!");
        return false;
    }
    return true;
}

// The chart picture on a white 950 x 280 image, at its top-left corner: a
// smaller picture at its own size, a larger one scaled down to fit whole.
QImage ExportFile::chartImage() const
{
    QImage image(chartImageWidth, chartImageHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const QSize area = pictureSize();
    if (m_picture.width() > area.width() || m_picture.height() > area.height())
        painter.drawPixmap(0, 0,
                           m_picture.scaled(area, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    else
        painter.drawPixmap(0, 0, m_picture);
    painter.end();
    return image;
}

bool ExportFile::saveChartImage(const QString &imagePath) const
{
    QByteArray png;
    QBuffer buffer(&png);
    QString error;
    return buffer.open(QIODevice::WriteOnly) && chartImage().save(&buffer, "PNG") &&
           AtomicFile::write(imagePath, png, &error);
}

// Fills the working copy through Word. On any failure the document is closed
// without saving, so the working copy stays as it was.
bool ExportFile::fillWordReport(const QString &documentPath, const QString &imagePath) const
{
    AutomationObject word(QStringLiteral("Word.Application"));
    AutomationObject *documents = word.querySubObject("Documents");
    AutomationObject *document =
        documents ? documents->querySubObject("Open(const QString&)", documentPath) : nullptr;
    if (!document) {
        word.dynamicCall("Quit()");
        return false;
    }
    const bool filled = fillWordDocument(document, imagePath);
    const bool saved = filled && document->dynamicCall("Save()").toBool();
    if (saved)
        document->dynamicCall("Close()");
    else
        document->dynamicCall("Close(Boolean)", false);
    word.dynamicCall("Quit()");
    return saved;
}

bool ExportFile::fillWordDocument(AutomationObject *document, const QString &imagePath) const
{
    AutomationObject *tables = document->querySubObject("Tables");
    AutomationObject *table = tables ? tables->querySubObject("Item(int)", 1) : nullptr;
    if (!table)
        return false;
    table->dynamicCall("AutoFitBehavior(WdAutoFitBehavior)", WdAutoFitBehavior::FitWindow);
    const QString date = QDateTime::currentDateTime().toString(bookmarkDateFormat);
    return setBookmarkText(document, "date", date) && fillCertificateBookmarks(document) &&
           addWordRows(table) && writeWordHeaders(table) && writeWordRows(table) &&
           insertChartPicture(document, imagePath);
}

bool ExportFile::setBookmarkText(AutomationObject *document, const char *name,
                                 const QString &text) const
{
    AutomationObject *bookmark = document->querySubObject("Bookmarks(QVariant)", name);
    if (!bookmark)
        return false;
    bookmark->dynamicCall("Select(void)");
    AutomationObject *range = bookmark->querySubObject("Range");
    return range && range->setProperty("Text", text);
}

// The certificate's bookmarks are optional: a template without them is
// filled as before, and without a judged run they stay empty.
bool ExportFile::fillCertificateBookmarks(AutomationObject *document) const
{
    if (!m_sensor.isValid())
        return true;
    const QList<QPair<const char *, QString>> texts = {
        {"sensor", m_sensor.model},
        {"serial", m_sensor.serial},
        {"reference", referenceText()},
        {"verdict", m_result.verdictText()},
    };
    for (const auto &text : texts) {
        const std::unique_ptr<AutomationObject> bookmark(
            document->querySubObject("Bookmarks(QVariant)", text.first));
        if (bookmark && !setBookmarkText(document, text.first, text.second))
            return false;
    }
    return true;
}

// The lines of the PDF report's certificate block; none without a sensor.
QStringList ExportFile::certificateLines() const
{
    if (!m_sensor.isValid())
        return {};
    const QString unit = ResultCalculator::sensitivityUnit(m_sensor.sensorType, m_sensor.inputType);
    return {
        tr("传感器：%1  序列号：%2").arg(m_sensor.model, m_sensor.serial),
        tr("传感器类型：%1  输入类型：%2  标称灵敏度：%3 %4")
            .arg(m_ui->sensorTypeComboBox->itemText(m_sensor.sensorType),
                 m_ui->inputTypeComboBox->itemText(m_sensor.inputType))
            .arg(m_sensor.nominal, 0, 'f', 3)
            .arg(unit),
        tr("参考灵敏度：%1").arg(referenceText()),
        tr("容差：参考灵敏度对标称 ±%1 %，各点对参考 ±%2 %")
            .arg(m_sensor.sensitivityTolerance)
            .arg(m_sensor.responseTolerance),
        tr("结论：%1").arg(m_result.verdictText()),
    };
}

// "1.002 Pc/ms^-2（160.00 Hz，对标称 +0.20 %）", or why there is none.
QString ExportFile::referenceText() const
{
    if (!m_result.hasReference())
        return tr("无（参考频率 %1 Hz）").arg(m_sensor.referenceFrequency, 0, 'f', 2);
    const QString unit = ResultCalculator::sensitivityUnit(m_sensor.sensorType, m_sensor.inputType);
    return tr("%1 %2（%3 Hz，对标称 %4）")
        .arg(m_result.reference(), 0, 'f', 3)
        .arg(unit)
        .arg(m_result.referenceFrequency(), 0, 'f', 2)
        .arg(CalibrationResult::percentText(m_result.referenceDeviation()));
}

// Inserts n - 1 rows before the anchor row, so that with a template of a
// header and one model row there is a row for every record.
bool ExportFile::addWordRows(AutomationObject *table) const
{
    AutomationObject *rows = table->querySubObject("Rows");
    if (!rows)
        return false;
    rows->dynamicCall("Count");
    AutomationObject *anchor = table->querySubObject("Rows(int)", 0);
    if (!anchor)
        anchor = rows->querySubObject("Last");
    if (!anchor)
        return false;
    const QVariant anchorRow = anchor->asVariant();
    for (int i = 1; i < m_ui->tableWidget->rowCount(); ++i) {
        if (!rows->dynamicCall("Add(QVariant)", anchorRow).isValid())
            return false;
    }
    return true;
}

bool ExportFile::writeWordHeaders(AutomationObject *table) const
{
    const QList<int> headers =
        ResultCalculator::derivedHeaderIndices(m_ui->sensorTypeComboBox->currentIndex());
    for (int i = 0; i < headers.size(); ++i) {
        if (!writeWordCell(table, 1, 6 + i, QString::fromUtf8(tableHeaderTexts.at(headers.at(i)))))
            return false;
    }
    return true;
}

bool ExportFile::writeWordRows(AutomationObject *table) const
{
    const QTableWidget *results = m_ui->tableWidget;
    for (int row = 0; row < results->rowCount(); ++row) {
        for (int column = 0; column < wordColumnCount; ++column) {
            const QTableWidgetItem *item = results->item(row, column);
            if (!writeWordCell(table, row + 2, column + 1, item ? item->text() : QString()))
                return false;
        }
    }
    return true;
}

bool ExportFile::insertChartPicture(AutomationObject *document, const QString &imagePath) const
{
    AutomationObject *bookmark = document->querySubObject("Bookmarks(QVariant)", "picture");
    if (!bookmark)
        return false;
    bookmark->dynamicCall("Select(void)");
    AutomationObject *range = bookmark->querySubObject("Range");
    AutomationObject *shapes = document->querySubObject("InlineShapes");
    if (!range || !shapes)
        return false;
    return shapes
        ->dynamicCall("AddPicture(const QString&, QVariant, QVariant ,QVariant)", imagePath, false,
                      true, range->asVariant())
        .isValid();
}

// Opens the workbook in Excel, writes its first sheet and saves it; on a
// failure the workbook is closed without saving.
bool ExportFile::fillExcelWorkbook(const QString &workbookPath,
                                   bool (ExportFile::*writeSheet)(AutomationObject *) const) const
{
    AutomationObject excel(QStringLiteral("Excel.Application"));
    AutomationObject *workbook = nullptr;
    AutomationObject *sheet = openFirstSheet(excel, workbookPath, &workbook);
    const bool saved =
        sheet && (this->*writeSheet)(sheet) && workbook->dynamicCall("Save()").toBool();
    if (saved)
        workbook->dynamicCall("Close()");
    else if (workbook)
        workbook->dynamicCall("Close(Boolean)", false);
    excel.dynamicCall("Quit()");
    return saved;
}

// Sheet row 1 holds the header, rows 2 to n + 1 the table's first five
// columns; a table cell without an item leaves its sheet cell as it was.
bool ExportFile::writeExcelRows(AutomationObject *sheet) const
{
    const QStringList header = excelHeader.split(QLatin1Char(','), Qt::KeepEmptyParts);
    for (int column = 1; column <= header.size(); ++column) {
        if (!writeExcelCell(sheet, 1, column, header.at(column - 1)))
            return false;
    }
    const QTableWidget *table = m_ui->tableWidget;
    for (int row = 2; row <= table->rowCount() + 1; ++row) {
        for (int column = 1; column <= plainColumnCount; ++column) {
            const QTableWidgetItem *item = table->item(row - 2, column - 1);
            if (item && !writeExcelCell(sheet, row, column, item->text()))
                return false;
        }
    }
    return true;
}

// Row 1 holds the table's header texts as the window shows them, the rows
// below every cell's text, empty for a cell without an item.
bool ExportFile::writeExcelTable(AutomationObject *sheet) const
{
    QVector<QStringList> rows = TableTexts::rows(m_ui->tableWidget);
    rows.prepend(TableTexts::header(m_ui->tableWidget));
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < rows.at(row).size(); ++column) {
            if (!writeExcelCell(sheet, row + 1, column + 1, rows.at(row).at(column)))
                return false;
        }
    }
    return true;
}

// The table as text: each row's line followed by "\n".
QString ExportFile::resultText() const
{
    QString text;
    for (int row = 0; row < m_ui->tableWidget->rowCount(); ++row)
        text += rowText(row) + QLatin1Char('\n');
    return text;
}

// Columns 0 to 4 of a table row: an item's text followed by a blank, five
// blanks for a cell without an item.
QString ExportFile::rowText(int row) const
{
    QString line;
    for (int column = 0; column < plainColumnCount; ++column) {
        const QTableWidgetItem *item = m_ui->tableWidget->item(row, column);
        line += item ? item->text() + QLatin1Char(' ') : QStringLiteral("     ");
    }
    return line;
}

bool ExportFile::writeWordCell(AutomationObject *table, int row, int column, const QString &text)
{
    const std::unique_ptr<AutomationObject> cell(
        table->querySubObject("Cell(int, int)", row, column));
    AutomationObject *range = cell ? cell->querySubObject("Range") : nullptr;
    return range && range->dynamicCall("SetText(QString)", text).isValid();
}

// Writes a copy of the source as a whole file: an existing target, whose
// replacement the user confirmed, stays intact on failure.
bool ExportFile::copyWhole(const QString &sourcePath, const QString &targetPath)
{
    QFile source(sourcePath);
    const QByteArray bytes = source.open(QIODevice::ReadOnly) ? source.readAll() : QByteArray();
    QString error = QStringLiteral("cannot read %1").arg(sourcePath);
    if (bytes.size() == source.size() && AtomicFile::write(targetPath, bytes, &error))
        return true;
    qWarning().noquote() << error;
    return false;
}

// True for an existing file in the program's folders of templates and sample
// documents, however the path reaches it.
bool ExportFile::isProgramDocument(const QString &path)
{
    const QString file = QFileInfo(path).canonicalFilePath();
    if (file.isEmpty())
        return false;
    const QString folder = QFileInfo(file).path();
    return folder == QFileInfo(AppPaths::templateDir()).canonicalFilePath() ||
           folder == QFileInfo(AppPaths::samplesDir()).canonicalFilePath();
}

bool ExportFile::writeExcelCell(AutomationObject *sheet, int row, int column, const QString &text)
{
    const std::unique_ptr<AutomationObject> cell(
        sheet->querySubObject("Cells(int,int)", row, column));
    return cell && cell->dynamicCall("SetValue(const QString&)", text).isValid();
}

// Opens a workbook in Excel, kept invisible; gives the first sheet, or null,
// and the workbook when it was opened.
AutomationObject *ExportFile::openFirstSheet(AutomationObject &excel, const QString &workbookPath,
                                             AutomationObject **workbook)
{
    excel.setProperty("Visible", false);
    AutomationObject *workbooks = excel.querySubObject("WorkBooks");
    if (!workbooks || !workbooks->querySubObject("Open (const QString&)", workbookPath))
        return nullptr;
    *workbook = excel.querySubObject("ActiveWorkBook");
    AutomationObject *sheets = *workbook ? (*workbook)->querySubObject("Sheets") : nullptr;
    return sheets ? sheets->querySubObject("Item(int)", 1) : nullptr;
}

QString ExportFile::samplePath(const QString &name)
{
    return AppPaths::samplesDir() + QLatin1Char('/') + name;
}

// Reports are named by date and time, in the folder that the program keeps
// for them; the path is a plain local one in every folder, "/" included.
QString ExportFile::defaultTarget(const QString &suffix)
{
    return QDir(AppPaths::reportDir())
        .filePath(QDateTime::currentDateTime().toString(fileDateFormat) + suffix);
}

void ExportFile::showInfo(const QString &text)
{
    QMessageBox::information(nullptr, tr("Info"), text);
}

void ExportFile::reportFailure()
{
    showInfo(tr("导出文件失败！"));
}
