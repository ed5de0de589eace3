#pragma once

#include "export/office/ooxml/XmlPart.h"

#include <QString>

#include <functional>
#include <map>

// One worksheet part of a SpreadsheetML workbook: cell texts read and
// written by row and column (from 1). Rows and cells are indexed on load;
// cells written get inline strings, keeping their style. The part must use
// the default namespace for SpreadsheetML, as every Office writer does.
class XlsxSheet
{
public:
    using SharedStrings = std::function<QString(int)>;

    bool load(const QByteArray &xml, QString *error);
    QByteArray serialize();
    bool isModified() const { return m_modified; }

    QString cellText(int row, int column, const SharedStrings &sharedStrings) const;
    // Writes the text; returns true when a formula of the cell was removed.
    bool setCellText(int row, int column, const QString &text);

private:
    pugi::xml_node findCell(int row, int column) const;
    pugi::xml_node ensureRow(int row);
    pugi::xml_node ensureCell(pugi::xml_node rowElement, int row, int column);
    // The style of a new cell, or "" for none.
    const char *styleForNewCell(pugi::xml_node rowElement, int column) const;
    void indexRows();
    void updateDimension();

    XmlPart m_xml;
    pugi::xml_node m_sheetData;
    std::map<int, pugi::xml_node> m_rows;
    bool m_modified = false;
};
