#include "export/office/ooxml/DocxDocument.h"

#include "export/office/ooxml/DocxText.h"
#include "export/office/ooxml/OoxmlNamespaces.h"

#include <QXmlStreamReader>

#include <algorithm>

namespace {

using Ooxml::wordNs;

// A4 with margins of one inch, for documents that do not give their page.
constexpr int defaultTextWidthTwips = 11906 - 2 * 1440;

const QByteArray blankContentTypes = QByteArrayLiteral(
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" "
    "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/word/document.xml\" ContentType=\"application/"
    "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
    "</Types>");

const QByteArray blankRelationships = QByteArrayLiteral(
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
    "relationships/officeDocument\" Target=\"word/document.xml\"/>"
    "</Relationships>");

const QByteArray blankDocument = QByteArrayLiteral(
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
    "<w:body><w:p/><w:sectPr><w:pgSz w:w=\"11906\" w:h=\"16838\"/>"
    "<w:pgMar w:top=\"1440\" w:right=\"1440\" w:bottom=\"1440\" w:left=\"1440\" "
    "w:header=\"851\" w:footer=\"992\" w:gutter=\"0\"/></w:sectPr></w:body>"
    "</w:document>");

int twips(const XmlNode *element, const QString &localName, int fallback)
{
    if (!element)
        return fallback;
    bool ok = false;
    const int value = element->attribute(wordNs, localName).toInt(&ok);
    return ok ? value : fallback;
}

XmlNode *findBookmarkStart(XmlNode *node, const QString &name)
{
    for (const auto &child : node->children()) {
        if (!child->isElement())
            continue;
        if (child->is(wordNs, QStringLiteral("bookmarkStart")) &&
            child->attribute(wordNs, QStringLiteral("name")) == name)
            return child.get();
        if (XmlNode *found = findBookmarkStart(child.get(), name))
            return found;
    }
    return nullptr;
}

int maxDrawingId(const XmlNode *node)
{
    int maxId = 0;
    if (node->localName() == QLatin1String("docPr") || node->localName() == QLatin1String("cNvPr"))
        maxId = node->attribute(QString(), QStringLiteral("id")).toInt();
    for (const auto &child : node->children()) {
        if (child->isElement())
            maxId = std::max(maxId, maxDrawingId(child.get()));
    }
    return maxId;
}

int maxDrawingId(const QByteArray &part)
{
    int maxId = 0;
    QXmlStreamReader reader(part);
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement &&
            reader.name() == QLatin1String("docPr"))
            maxId = std::max(maxId, reader.attributes().value(QStringLiteral("id")).toInt());
    }
    return maxId;
}

} // namespace

std::shared_ptr<DocxDocument> DocxDocument::open(const QString &path, QString *error)
{
    std::shared_ptr<DocxDocument> document(new DocxDocument());
    document->m_path = path;
    if (!document->m_package.load(path, error) || !document->load(error))
        return nullptr;
    return document;
}

std::shared_ptr<DocxDocument> DocxDocument::createBlank()
{
    std::shared_ptr<DocxDocument> document(new DocxDocument());
    document->m_package.setPart(QStringLiteral("[Content_Types].xml"), blankContentTypes);
    document->m_package.setPart(QStringLiteral("_rels/.rels"), blankRelationships);
    document->m_package.setPart(QStringLiteral("word/document.xml"), blankDocument);
    QString ignored;
    document->load(&ignored);
    return document;
}

bool DocxDocument::load(QString *error)
{
    m_mainPart = m_package.relatedPart(QString(), Ooxml::officeDocumentType);
    if (m_mainPart.isEmpty() || !m_package.contains(m_mainPart)) {
        *error = QStringLiteral("%1 has no document part").arg(m_path);
        return false;
    }
    QString xmlError;
    if (!m_xml.parse(m_package.part(m_mainPart), &xmlError)) {
        *error = QStringLiteral("%1: %2").arg(m_mainPart, xmlError);
        return false;
    }
    XmlNode *root = m_xml.root();
    m_body = root->is(wordNs, QStringLiteral("document"))
                 ? root->firstChild(wordNs, QStringLiteral("body"))
                 : nullptr;
    if (!m_body) {
        *error = QStringLiteral("%1 is not a word processing document").arg(m_path);
        return false;
    }
    return true;
}

bool DocxDocument::save(QString *error)
{
    if (m_path.isEmpty()) {
        *error = QStringLiteral("the document has never been saved under a name");
        return false;
    }
    m_package.setPart(m_mainPart, m_xml.serialize());
    return m_package.save(m_path, error);
}

bool DocxDocument::saveAs(const QString &path, QString *error)
{
    m_package.setPart(m_mainPart, m_xml.serialize());
    if (!m_package.save(path, error))
        return false;
    m_path = path;
    return true;
}

std::unique_ptr<XmlNode> DocxDocument::element(const QString &localName)
{
    return m_xml.createElement(wordNs, localName);
}

XmlNode::Attribute DocxDocument::attribute(const QString &localName, const QString &value)
{
    return m_xml.makeAttribute(wordNs, localName, value);
}

std::unique_ptr<XmlNode> DocxDocument::parseFragment(const QString &xml)
{
    XmlDocument fragment;
    QString ignored;
    if (!fragment.parse(xml.toUtf8(), &ignored))
        return nullptr;
    return fragment.root()->clone();
}

void DocxDocument::discard(std::unique_ptr<XmlNode> node)
{
    if (node)
        m_discarded.push_back(std::move(node));
}

const std::vector<XmlNode *> &DocxDocument::rowsOf(XmlNode *table)
{
    RowIndex &index = m_rowIndex[table];
    if (index.version != m_structureVersion) {
        const QVector<XmlNode *> rows = DocxText::contentElements(table, QStringLiteral("tr"));
        index.rows.assign(rows.cbegin(), rows.cend());
        index.version = m_structureVersion;
    }
    return index.rows;
}

QVector<XmlNode *> DocxDocument::tables() const
{
    return DocxText::contentElements(m_body, QStringLiteral("tbl"));
}

XmlNode *DocxDocument::bookmarkStart(const QString &name) const
{
    return findBookmarkStart(m_body, name);
}

int DocxDocument::textWidthTwips() const
{
    const QVector<XmlNode *> sections = m_body->childElements(wordNs, QStringLiteral("sectPr"));
    if (sections.isEmpty())
        return defaultTextWidthTwips;
    const XmlNode *size = sections.last()->firstChild(wordNs, QStringLiteral("pgSz"));
    const XmlNode *margins = sections.last()->firstChild(wordNs, QStringLiteral("pgMar"));
    const int width = twips(size, QStringLiteral("w"), 11906) -
                      twips(margins, QStringLiteral("left"), 1440) -
                      twips(margins, QStringLiteral("right"), 1440);
    return width > 0 ? width : defaultTextWidthTwips;
}

int DocxDocument::nextDrawingId() const
{
    int maxId = maxDrawingId(m_xml.root());
    for (const OfficePackage::Relationship &relationship : m_package.relationships(m_mainPart)) {
        const bool headerOrFooter = relationship.type.endsWith(QLatin1String("/header")) ||
                                    relationship.type.endsWith(QLatin1String("/footer"));
        if (headerOrFooter && !relationship.external)
            maxId = std::max(maxId, maxDrawingId(m_package.part(relationship.target)));
    }
    return maxId + 1;
}
