#pragma once

#include "export/office/ooxml/XmlDocument.h"

#include <QString>

#include <functional>
#include <map>

// One worksheet part of a SpreadsheetML workbook: cell texts read and
// written by row and column (from 1). Rows and cells are indexed on load;
// cells written get inline strings, keeping their style.
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

    static QString columnName(int column);

private:
    XmlNode *findCell(int row, int column) const;
    XmlNode *ensureRow(int row);
    XmlNode *ensureCell(XmlNode *rowElement, int row, int column);
    QString styleForNewCell(const XmlNode *rowElement, int column) const;
    void indexRows();
    void updateDimension();
    std::unique_ptr<XmlNode> element(const QString &localName);

    XmlDocument m_xml;
    XmlNode *m_sheetData = nullptr;
    std::map<int, XmlNode *> m_rows;
    bool m_modified = false;
};
