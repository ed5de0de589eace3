#include "export/office/ooxml/XmlDocument.h"

#include "export/office/ooxml/OoxmlNamespaces.h"

#include <QXmlStreamReader>

#include <string>

namespace {

XmlNode::Attribute declaration(const QString &prefix, const QString &namespaceUri)
{
    const QString name =
        prefix.isEmpty() ? QStringLiteral("xmlns") : QStringLiteral("xmlns:") + prefix;
    return {name, Ooxml::xmlnsNs, prefix, namespaceUri};
}

std::unique_ptr<XmlNode> readElement(const QXmlStreamReader &reader)
{
    auto element =
        std::make_unique<XmlNode>(reader.qualifiedName().toString(),
                                  reader.namespaceUri().toString(), reader.name().toString());
    const QXmlStreamNamespaceDeclarations declarations = reader.namespaceDeclarations();
    for (const QXmlStreamNamespaceDeclaration &ns : declarations)
        element->setAttribute(declaration(ns.prefix().toString(), ns.namespaceUri().toString()));
    const QXmlStreamAttributes attributes = reader.attributes();
    for (const QXmlStreamAttribute &attribute : attributes) {
        element->setAttribute({attribute.qualifiedName().toString(),
                               attribute.namespaceUri().toString(), attribute.name().toString(),
                               attribute.value().toString()});
    }
    return element;
}

std::unique_ptr<XmlNode> readLeaf(const QXmlStreamReader &reader)
{
    switch (reader.tokenType()) {
    case QXmlStreamReader::Characters:
        return XmlNode::makeText(reader.text().toString());
    case QXmlStreamReader::Comment: {
        auto comment = std::make_unique<XmlNode>(XmlNode::CommentNode);
        comment->setData(reader.text().toString());
        return comment;
    }
    case QXmlStreamReader::ProcessingInstruction: {
        auto instruction = std::make_unique<XmlNode>(XmlNode::InstructionNode);
        instruction->setTarget(reader.processingInstructionTarget().toString());
        instruction->setData(reader.processingInstructionData().toString());
        return instruction;
    }
    case QXmlStreamReader::DTD: {
        auto dtd = std::make_unique<XmlNode>(XmlNode::DtdNode);
        dtd->setData(reader.text().toString());
        return dtd;
    }
    default:
        return nullptr;
    }
}

void appendCodePoint(std::string &out, uint code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Escape for a character of character data, or null when it is written as is.
const char *escapeFor(ushort c, bool inAttribute)
{
    switch (c) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '\r':
        return "&#13;";
    case '"':
        return inAttribute ? "&quot;" : nullptr;
    case '\n':
        return inAttribute ? "&#10;" : nullptr;
    case '\t':
        return inAttribute ? "&#9;" : nullptr;
    default:
        return nullptr;
    }
}

bool allowedInXml(ushort c)
{
    if (c < 0x20)
        return c == '\t' || c == '\n' || c == '\r';
    return c != 0xFFFE && c != 0xFFFF;
}

// Appends text as UTF-8 character data, escaping markup and dropping what
// XML 1.0 cannot carry: other control characters, U+FFFE, U+FFFF and
// unpaired surrogates.
void appendText(std::string &out, const QString &text, bool inAttribute)
{
    const QChar *chars = text.constData();
    const int size = text.size();
    for (int i = 0; i < size; ++i) {
        const ushort c = chars[i].unicode();
        if (c < 0x80 && c >= 0x20 && !escapeFor(c, inAttribute)) {
            out += static_cast<char>(c);
        } else if (const char *escape = escapeFor(c, inAttribute)) {
            out += escape;
        } else if (QChar::isHighSurrogate(c) && i + 1 < size && chars[i + 1].isLowSurrogate()) {
            appendCodePoint(out, QChar::surrogateToUcs4(c, chars[i + 1].unicode()));
            ++i;
        } else if (allowedInXml(c) && !QChar::isSurrogate(c)) {
            appendCodePoint(out, c);
        }
    }
}

void writeElement(std::string &out, const XmlNode &element);

void writeNode(std::string &out, const XmlNode &node)
{
    switch (node.kind()) {
    case XmlNode::ElementNode:
        writeElement(out, node);
        break;
    case XmlNode::TextNode:
        appendText(out, node.data(), false);
        break;
    case XmlNode::CommentNode:
        out += "<!--" + node.data().toStdString() + "-->";
        break;
    case XmlNode::InstructionNode:
        out += "<?" + node.target().toStdString();
        if (!node.data().isEmpty())
            out += ' ' + node.data().toStdString();
        out += "?>";
        break;
    case XmlNode::DtdNode:
        out += node.data().toStdString();
        break;
    case XmlNode::DocumentNode:
        break;
    }
}

void writeElement(std::string &out, const XmlNode &element)
{
    out += '<';
    appendText(out, element.qualifiedName(), false);
    for (const XmlNode::Attribute &attribute : element.attributes()) {
        out += ' ';
        appendText(out, attribute.qualifiedName, false);
        out += "=\"";
        appendText(out, attribute.value, true);
        out += '"';
    }
    if (element.children().empty()) {
        out += "/>";
        return;
    }
    out += '>';
    for (const auto &child : element.children())
        writeNode(out, *child);
    out += "</";
    appendText(out, element.qualifiedName(), false);
    out += '>';
}

} // namespace

XmlDocument::XmlDocument() : m_document(std::make_unique<XmlNode>(XmlNode::DocumentNode)) {}

bool XmlDocument::parse(const QByteArray &data, QString *error)
{
    m_document = std::make_unique<XmlNode>(XmlNode::DocumentNode);
    m_elementPrefixes.clear();
    m_attributePrefixes.clear();
    m_elementNames.clear();
    m_attributeNames.clear();
    m_hasDeclaration = false;
    QXmlStreamReader reader(data);
    XmlNode *current = m_document.get();
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartDocument:
            m_hasDeclaration = !reader.documentVersion().isEmpty();
            m_version = reader.documentVersion().toString();
            m_standalone = reader.isStandaloneDocument();
            break;
        case QXmlStreamReader::StartElement:
            current = current->appendChild(readElement(reader));
            break;
        case QXmlStreamReader::EndElement:
            current = current->parent();
            break;
        default:
            if (auto leaf = readLeaf(reader))
                current->appendChild(std::move(leaf));
            break;
        }
    }
    if (reader.hasError() || !root()) {
        if (error) {
            *error = reader.hasError() ? QStringLiteral("XML error at line %1: %2")
                                             .arg(reader.lineNumber())
                                             .arg(reader.errorString())
                                       : QStringLiteral("no document element");
        }
        m_document = std::make_unique<XmlNode>(XmlNode::DocumentNode);
        return false;
    }
    return true;
}

QByteArray XmlDocument::serialize() const
{
    std::string data;
    if (m_hasDeclaration) {
        data += "<?xml version=\"" + m_version.toStdString() + "\" encoding=\"UTF-8\"";
        data += m_standalone ? " standalone=\"yes\"?>\n" : "?>\n";
    }
    for (const auto &child : m_document->children())
        writeNode(data, *child);
    return QByteArray(data.data(), static_cast<int>(data.size()));
}

XmlNode *XmlDocument::root() const
{
    for (const auto &child : m_document->children()) {
        if (child->isElement())
            return child.get();
    }
    return nullptr;
}

std::unique_ptr<XmlNode> XmlDocument::createElement(const QString &namespaceUri,
                                                    const QString &localName)
{
    return std::make_unique<XmlNode>(qualify(namespaceUri, localName, false), namespaceUri,
                                     localName);
}

XmlNode::Attribute XmlDocument::makeAttribute(const QString &namespaceUri, const QString &localName,
                                              const QString &value)
{
    return {qualify(namespaceUri, localName, true), namespaceUri, localName, value};
}

QString XmlDocument::qualify(const QString &namespaceUri, const QString &localName,
                             bool forAttribute)
{
    if (namespaceUri.isEmpty())
        return localName;
    QHash<QString, QString> &names =
        (forAttribute ? m_attributeNames : m_elementNames)[namespaceUri];
    const auto known = names.constFind(localName);
    if (known != names.constEnd())
        return known.value();
    const QString prefix = prefixFor(namespaceUri, forAttribute);
    const QString name = prefix.isEmpty() ? localName : prefix + QLatin1Char(':') + localName;
    names.insert(localName, name);
    return name;
}

QString XmlDocument::prefixFor(const QString &namespaceUri, bool forAttribute)
{
    if (namespaceUri == Ooxml::xmlNs)
        return QStringLiteral("xml");
    QHash<QString, QString> &cache = forAttribute ? m_attributePrefixes : m_elementPrefixes;
    const auto cached = cache.constFind(namespaceUri);
    if (cached != cache.constEnd())
        return cached.value();
    QString prefix;
    bool found = false;
    for (const XmlNode::Attribute &attribute : root()->attributes()) {
        const bool usable = !forAttribute || !attribute.localName.isEmpty();
        if (attribute.namespaceUri == Ooxml::xmlnsNs && attribute.value == namespaceUri && usable) {
            prefix = attribute.localName;
            found = true;
            if (!prefix.isEmpty())
                break;
        }
    }
    if (!found)
        prefix = declareOnRoot(namespaceUri);
    cache.insert(namespaceUri, prefix);
    return prefix;
}

QString XmlDocument::declareOnRoot(const QString &namespaceUri)
{
    XmlNode *element = root();
    const QString preferred = Ooxml::preferredPrefix(namespaceUri);
    QString prefix = preferred;
    for (int n = 1; element->hasAttribute(Ooxml::xmlnsNs, prefix); ++n)
        prefix = preferred + QString::number(n);
    element->setAttribute(declaration(prefix, namespaceUri));
    return prefix;
}
