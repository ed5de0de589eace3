#pragma once

#include <QObject>
#include <QPixmap>
#include <QString>

#include "export/ExportType.h"

namespace Ui {
class MainWindow;
}

class AutomationObject;

// Turns the main window's results table into files. doExport selects the
// routine by export type (ExportType_e): the text export, the Word and Excel
// reports and the Office sample routines; other types do nothing.
class ExportFile : public QObject
{
    Q_OBJECT

public:
    ExportFile();

    void setUi(Ui::MainWindow *ui);
    void doExport(int type);

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

    QString askWordTarget(const QString &defaultTarget) const;
    bool copyTemplate(const QString &templatePath, const QString &copyPath) const;
    bool saveChartImage(const QString &imagePath) const;
    bool fillWordReport(const QString &documentPath, const QString &imagePath) const;
    bool fillWordDocument(AutomationObject *document, const QString &imagePath) const;
    bool setBookmarkText(AutomationObject *document, const char *name, const QString &text) const;
    bool addWordRows(AutomationObject *table) const;
    bool writeWordHeaders(AutomationObject *table) const;
    bool writeWordRows(AutomationObject *table) const;
    bool insertChartPicture(AutomationObject *document, const QString &imagePath) const;
    bool fillExcelReport(const QString &workbookPath) const;
    bool writeExcelRows(AutomationObject *sheet) const;
    QString resultText() const;
    QString rowText(int row) const;
    static bool writeWordCell(AutomationObject *table, int row, int column, const QString &text);
    static bool writeExcelCell(AutomationObject *sheet, int row, int column, const QString &text);
    static AutomationObject *openFirstSheet(AutomationObject &excel, const QString &workbookPath,
                                            AutomationObject **workbook);
    static QString samplePath(const QString &name);
    static bool replaceTarget(const QString &sourcePath, const QString &targetPath);
    static QString defaultTarget(const QString &suffix);
    static void showInfo(const QString &text);

    Ui::MainWindow *m_ui = nullptr;
};
