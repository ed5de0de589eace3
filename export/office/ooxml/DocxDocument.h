#pragma once

#include "export/office/ooxml/OfficePackage.h"
#include "export/office/ooxml/XmlDocument.h"

#include <QString>
#include <QVector>

#include <memory>
#include <unordered_map>
#include <vector>

// A WordprocessingML document (.docx) held in memory: the package, the main
// document part as an XML tree, and what the editing operations share.
// Nodes removed from the tree stay alive until the document goes, so that
// objects still pointing at them never dangle.
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
    XmlDocument &xml() { return m_xml; }
    const QString &mainPart() const { return m_mainPart; }
    XmlNode *body() const { return m_body; }

    // A new element or attribute in the WordprocessingML namespace.
    std::unique_ptr<XmlNode> element(const QString &localName);
    XmlNode::Attribute attribute(const QString &localName, const QString &value);
    std::unique_ptr<XmlNode> parseFragment(const QString &xml);

    void discard(std::unique_ptr<XmlNode> node);

    // Rows of a table, indexed; rebuilt after any change of the structure.
    const std::vector<XmlNode *> &rowsOf(XmlNode *table);
    void structureChanged() { ++m_structureVersion; }

    QVector<XmlNode *> tables() const;
    XmlNode *bookmarkStart(const QString &name) const;
    // Width of the text column of the last section, in twentieths of a point.
    int textWidthTwips() const;
    int nextDrawingId() const;

private:
    DocxDocument() = default;
    bool load(QString *error);

    struct RowIndex
    {
        int version = -1;
        std::vector<XmlNode *> rows;
    };

    QString m_path;
    bool m_open = true;
    OfficePackage m_package;
    QString m_mainPart;
    XmlDocument m_xml;
    XmlNode *m_body = nullptr;
    int m_structureVersion = 0;
    std::unordered_map<const XmlNode *, RowIndex> m_rowIndex;
    std::vector<std::unique_ptr<XmlNode>> m_discarded;
};
