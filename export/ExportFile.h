#pragma once

#include <QObject>
#include <QPixmap>
#include <QSize>
#include <QString>

#include "export/ExportType.h"
#include "records/CalibrationResult.h"
#include "records/Sensor.h"

namespace Ui {
class MainWindow;
}

class AutomationObject;
class QImage;
class ReportTarget;

// Turns the main window's results table into files. doExport selects the
// routine by export type (ExportType_e): the text export, the Word and Excel
// reports and the Office sample routines; other types do nothing. The report
// of the Export button is a Word report, an Excel workbook or a PDF document,
// as the suffix of the name chosen in its save dialog says.
class ExportFile : public QObject
{
    Q_OBJECT

public:
    ExportFile();

    void setUi(Ui::MainWindow *ui);
    void doExport(int type);

    // The size of the chart picture in the reports.
    static QSize pictureSize();

    // With a sensor's judged run in the table, the PDF report gains the
    // certificate block and a deviation column, and the Word report fills
    // the template's bookmarks sensor, serial, reference and verdict where
    // it has them.
    void setCertificate(const Sensor &sensor, const CalibrationResult &result);
    void clearCertificate();

    QPixmap m_picture;

private:
    void exportTxt();
    void exportWord();
    void exportExcel();
    void replaceWordPlaceholder();
    void writeWordSample();
    void readWordSample();
    void writeExcelSample();
    void readExcelSample();

    ReportTarget askReportTarget(const QString &defaultTarget) const;
    void writeWordReport(const QString &targetPath);
    void writeExcelTable(const QString &targetPath);
    void writePdfReport(const QString &targetPath);
    bool copyTemplate(const QString &templatePath, const QString &copyPath) const;
    QImage chartImage() const;
    bool saveChartImage(const QString &imagePath) const;
    bool fillWordReport(const QString &documentPath, const QString &imagePath) const;
    bool fillWordDocument(AutomationObject *document, const QString &imagePath) const;
    bool setBookmarkText(AutomationObject *document, const char *name, const QString &text) const;
    bool addWordRows(AutomationObject *table) const;
    bool writeWordHeaders(AutomationObject *table) const;
    bool writeWordRows(AutomationObject *table) const;
    bool insertChartPicture(AutomationObject *document, const QString &imagePath) const;
    bool fillExcelWorkbook(const QString &workbookPath,
                           bool (ExportFile::*writeSheet)(AutomationObject *) const) const;
    bool writeExcelRows(AutomationObject *sheet) const;
    bool writeExcelTable(AutomationObject *sheet) const;
    QStringList certificateLines() const;
    QString referenceText() const;
    bool fillCertificateBookmarks(AutomationObject *document) const;
    QString resultText() const;
    QString rowText(int row) const;
    static bool writeWordCell(AutomationObject *table, int row, int column, const QString &text);
    static bool writeExcelCell(AutomationObject *sheet, int row, int column, const QString &text);
    static AutomationObject *openFirstSheet(AutomationObject &excel, const QString &workbookPath,
                                            AutomationObject **workbook);
    static QString samplePath(const QString &name);
    static bool copyWhole(const QString &sourcePath, const QString &targetPath);
    static bool isProgramDocument(const QString &path);
    static QString defaultTarget(const QString &suffix);
    static void showInfo(const QString &text);
    static void reportFailure();

    Ui::MainWindow *m_ui = nullptr;
    Sensor m_sensor;
    CalibrationResult m_result;
};
