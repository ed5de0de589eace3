#pragma once

#include "export/office/ooxml/OfficePackage.h"
#include "export/office/ooxml/XlsxSheet.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// A SpreadsheetML workbook (.xlsx) held in memory: its sheets in tab order,
// parsed when first used, and its shared strings. Saving writes back the
// sheets that changed; every other part stays as it was, except the
// calculation chain, which is dropped when a formula was overwritten.
class XlsxWorkbook
{
public:
    static std::shared_ptr<XlsxWorkbook> open(const QString &path, QString *error);

    const QString &path() const { return m_path; }
    bool isOpen() const { return m_open; }
    void close() { m_open = false; }

    int sheetCount() const { return m_sheetParts.size(); }
    // Worksheet by index from 0, or null with the reason.
    XlsxSheet *sheet(int index, QString *error);

    QString cellText(XlsxSheet &sheet, int row, int column);
    void setCellText(XlsxSheet &sheet, int row, int column, const QString &text);

    bool save(QString *error);

private:
    XlsxWorkbook() = default;
    bool load(QString *error);
    QString sharedString(int index);
    void loadSharedStrings();

    QString m_path;
    bool m_open = true;
    OfficePackage m_package;
    QString m_workbookPart;
    QStringList m_sheetParts;
    std::vector<std::unique_ptr<XlsxSheet>> m_sheets;
    QStringList m_sharedStrings;
    bool m_sharedStringsLoaded = false;
    bool m_formulaRemoved = false;
};
