#pragma once

#include "export/office/ooxml/OfficePackage.h"
#include "export/office/ooxml/XmlPart.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <memory>
#include <unordered_map>
#include <vector>

// A WordprocessingML document (.docx) held in memory: the package, the main
// document part as an XML tree, and what the editing operations share.
// Nodes removed from the tree stay alive until the document goes, so that
// objects still holding them never dangle.
class DocxDocument
{
public:
    static std::shared_ptr<DocxDocument> open(const QString &path, QString *error);
    static std::shared_ptr<DocxDocument> createBlank();

    const QString &path() const { return m_path; }
    bool save(QString *error);
    bool saveAs(const QString &path, QString *error);
    bool isOpen() const { return m_open; }
    void close() { m_open = false; }

    OfficePackage &package() { return m_package; }
    const QString &mainPart() const { return m_mainPart; }
    pugi::xml_node body() const { return m_body; }
    // True when the node is part of the main story.
    bool contains(pugi::xml_node node) const { return m_xml.contains(node); }
    void discard(pugi::xml_node node) { m_xml.discard(node); }

    // Rows of a table, indexed; rebuilt after any change of the structure.
    const std::vector<pugi::xml_node> &rowsOf(pugi::xml_node table);
    // Rows added, formatted like others: the rows are indexed anew.
    void rowsInserted() { ++m_structureVersion; }
    // Content deleted or formatting changed: the rows are indexed anew and
    // empty rows made again.
    void structureChanged()
    {
        ++m_structureVersion;
        m_emptyRow = EmptyRow();
    }
    // An empty row formatted like the given one, made since the last change
    // of structure, or an empty handle.
    pugi::xml_node emptyRowLike(pugi::xml_node row) const
    {
        return m_emptyRow.model == row ? m_emptyRow.copy : pugi::xml_node();
    }
    void setEmptyRowLike(pugi::xml_node row, pugi::xml_node copy) { m_emptyRow = {row, copy}; }

    std::vector<pugi::xml_node> tables() const;
    // The first start of a bookmark of that name in the main story.
    pugi::xml_node bookmarkStart(const QString &name) const;
    // Width of the text column of the last section, in twentieths of a point.
    int textWidthTwips() const;
    // An id for a new drawing, unique in the document.
    qint64 nextDrawingId() { return ++m_lastDrawingId; }

private:
    DocxDocument() = default;
    bool load(QString *error);
    void indexBookmarks();
    qint64 maxDrawingId() const;

    struct EmptyRow
    {
        pugi::xml_node model;
        pugi::xml_node copy;
    };
    struct RowIndex
    {
        int version = -1;
        std::vector<pugi::xml_node> rows;
    };

    QString m_path;
    bool m_open = true;
    OfficePackage m_package;
    QString m_mainPart;
    XmlPart m_xml;
    pugi::xml_node m_body;
    int m_structureVersion = 0;
    std::unordered_map<size_t, RowIndex> m_rowIndex;
    EmptyRow m_emptyRow;
    // Bookmarks of the document as opened; it gains none while edited.
    QHash<QByteArray, pugi::xml_node> m_bookmarks;
    qint64 m_lastDrawingId = 0;
};
