#include "export/office/ooxml/DocxDocument.h"

#include "export/office/ooxml/DocxText.h"
#include "export/office/ooxml/OoxmlNamespaces.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

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

int twips(pugi::xml_node element, const char *name, int fallback)
{
    const pugi::xml_attribute value = element.attribute(name);
    return value ? value.as_int(fallback) : fallback;
}

// Drawing ids, kept unique in a document, are on wp:docPr and the
// non-visual properties (pic:cNvPr and the like) of shapes.
class DrawingIds : public pugi::xml_tree_walker
{
public:
    bool for_each(pugi::xml_node &node) override
    {
        const char *name = node.name();
        const char *colon = std::strchr(name, ':');
        const char *localName = colon ? colon + 1 : name;
        if (std::strcmp(localName, "docPr") == 0 || std::strcmp(localName, "cNvPr") == 0)
            m_maxId =
                std::max(m_maxId, std::clamp<qint64>(node.attribute("id").as_llong(), 0, INT_MAX));
        return true;
    }
    qint64 m_maxId = 0;
};

// The first start of each bookmark name.
class BookmarkStarts : public pugi::xml_tree_walker
{
public:
    bool for_each(pugi::xml_node &node) override
    {
        if (is(node, "w:bookmarkStart")) {
            const QByteArray name = node.attribute("w:name").value();
            if (!m_found.contains(name))
                m_found.insert(name, node);
        }
        return true;
    }
    QHash<QByteArray, pugi::xml_node> m_found;
};

qint64 maxDrawingIdBelow(pugi::xml_node root)
{
    DrawingIds ids;
    root.traverse(ids);
    return ids.m_maxId;
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

// The main part must be a document whose element names carry the prefix
// "w", as every Office writer gives them.
bool DocxDocument::load(QString *error)
{
    m_mainPart = m_package.relatedPart(QString(), QLatin1String(Ooxml::officeDocumentType));
    if (m_mainPart.isEmpty() || !m_package.contains(m_mainPart)) {
        *error = QStringLiteral("%1 has no document part").arg(m_path);
        return false;
    }
    QString xmlError;
    if (!m_xml.parse(m_package.part(m_mainPart), &xmlError)) {
        *error = QStringLiteral("%1: %2").arg(m_mainPart, xmlError);
        return false;
    }
    pugi::xml_node root = m_xml.root();
    const bool wordDocument = is(root, "w:document") &&
                              std::strcmp(root.attribute("xmlns:w").value(), Ooxml::wordNs) == 0;
    m_body = wordDocument ? root.child("w:body") : pugi::xml_node();
    if (!m_body) {
        *error = QStringLiteral("%1 is not a word processing document").arg(m_path);
        return false;
    }
    indexBookmarks();
    m_lastDrawingId = maxDrawingId();
    return true;
}

void DocxDocument::indexBookmarks()
{
    BookmarkStarts starts;
    m_body.traverse(starts);
    m_bookmarks = starts.m_found;
}

bool DocxDocument::save(QString *error)
{
    if (m_path.isEmpty()) {
        *error = QStringLiteral("the document has never been saved under a name");
        return false;
    }
    return saveAs(m_path, error);
}

bool DocxDocument::saveAs(const QString &path, QString *error)
{
    m_package.setPart(m_mainPart, m_xml.serialize());
    if (!m_package.save(path, error))
        return false;
    m_path = path;
    return true;
}

const std::vector<pugi::xml_node> &DocxDocument::rowsOf(pugi::xml_node table)
{
    RowIndex &index = m_rowIndex[table.hash_value()];
    if (index.version != m_structureVersion) {
        index.rows = DocxText::contentElements(table, "w:tr");
        index.version = m_structureVersion;
    }
    return index.rows;
}

std::vector<pugi::xml_node> DocxDocument::tables() const
{
    return DocxText::contentElements(m_body, "w:tbl");
}

pugi::xml_node DocxDocument::bookmarkStart(const QString &name) const
{
    const pugi::xml_node indexed = m_bookmarks.value(name.toUtf8());
    if (!indexed || contains(indexed))
        return indexed;
    // The first one has been deleted; a later one of the same name may be
    // left.
    const QByteArray wanted = name.toUtf8();
    return m_body.find_node([&wanted](pugi::xml_node node) {
        return is(node, "w:bookmarkStart") && wanted == node.attribute("w:name").value();
    });
}

int DocxDocument::textWidthTwips() const
{
    pugi::xml_node section;
    for (pugi::xml_node child = m_body.child("w:sectPr"); child;
         child = child.next_sibling("w:sectPr"))
        section = child;
    if (!section)
        return defaultTextWidthTwips;
    const int width = twips(section.child("w:pgSz"), "w:w", 11906) -
                      twips(section.child("w:pgMar"), "w:left", 1440) -
                      twips(section.child("w:pgMar"), "w:right", 1440);
    return width > 0 ? width : defaultTextWidthTwips;
}

qint64 DocxDocument::maxDrawingId() const
{
    qint64 maxId = maxDrawingIdBelow(m_xml.root());
    for (const OfficePackage::Relationship &relationship : m_package.relationships(m_mainPart)) {
        const bool headerOrFooter = relationship.type.endsWith(QLatin1String("/header")) ||
                                    relationship.type.endsWith(QLatin1String("/footer"));
        XmlPart part;
        QString ignored;
        if (headerOrFooter && !relationship.external &&
            part.parse(m_package.part(relationship.target), &ignored))
            maxId = std::max(maxId, maxDrawingIdBelow(part.root()));
    }
    return maxId;
}
