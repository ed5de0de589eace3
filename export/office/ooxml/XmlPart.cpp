#include "export/office/ooxml/XmlPart.h"

#include <algorithm>

namespace {

constexpr unsigned int parseOptions = pugi::parse_default | pugi::parse_ws_pcdata |
                                      pugi::parse_declaration | pugi::parse_comments |
                                      pugi::parse_pi | pugi::parse_doctype;
// Office documents nest a few dozen levels at most. Deeper trees are
// refused, so that the recursive walks over a part stay well within the
// stack.
constexpr int maximumDepth = 1000;
const char *const discardedName = "discarded";

class ByteArrayWriter : public pugi::xml_writer
{
public:
    void write(const void *data, size_t size) override
    {
        m_data.append(static_cast<const char *>(data), static_cast<int>(size));
    }
    QByteArray m_data;
};

int depthOf(pugi::xml_node root)
{
    int depth = 0;
    int deepest = 0;
    pugi::xml_node node = root;
    while (node) {
        if (node.first_child()) {
            node = node.first_child();
            deepest = std::max(deepest, ++depth);
            continue;
        }
        while (node && node != root && !node.next_sibling()) {
            node = node.parent();
            --depth;
        }
        node = node == root ? pugi::xml_node() : node.next_sibling();
    }
    return deepest;
}

bool allowedInXml(ushort c)
{
    if (c < 0x20)
        return c == '\t' || c == '\n' || c == '\r';
    return c != 0xFFFE && c != 0xFFFF;
}

bool needsCleaning(QStringView text)
{
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return !allowedInXml(c.unicode()) || c.isSurrogate(); });
}

} // namespace

XmlPart::XmlPart() = default;

bool XmlPart::parse(const QByteArray &data, QString *error)
{
    m_document.reset();
    m_discarded = pugi::xml_node();
    const pugi::xml_parse_result result = m_document.load_buffer(
        data.constData(), static_cast<size_t>(data.size()), parseOptions, pugi::encoding_auto);
    QString reason;
    if (!result)
        reason = QStringLiteral("XML error at offset %1: %2")
                     .arg(result.offset)
                     .arg(QString::fromUtf8(result.description()));
    else if (!root())
        reason = QStringLiteral("no document element");
    else if (depthOf(root()) > maximumDepth)
        reason = QStringLiteral("elements nested deeper than %1").arg(maximumDepth);
    if (reason.isEmpty()) {
        // The text is written as UTF-8 whatever the part was read in.
        pugi::xml_node declaration = m_document.first_child();
        if (declaration.type() == pugi::node_declaration && declaration.attribute("encoding"))
            declaration.attribute("encoding").set_value("UTF-8");
        return true;
    }
    *error = reason;
    m_document.reset();
    return false;
}

QByteArray XmlPart::serialize() const
{
    ByteArrayWriter writer;
    for (pugi::xml_node node = m_document.first_child(); node; node = node.next_sibling()) {
        if (node != m_discarded)
            node.print(writer, "", pugi::format_raw, pugi::encoding_utf8);
    }
    return writer.m_data;
}

void XmlPart::discard(pugi::xml_node node)
{
    if (!node)
        return;
    if (!m_discarded)
        m_discarded = m_document.append_child(discardedName);
    m_discarded.append_move(node);
}

bool XmlPart::contains(pugi::xml_node node) const
{
    pugi::xml_node top = root();
    for (; node; node = node.parent()) {
        if (node == top)
            return true;
    }
    return false;
}

QByteArray XmlPart::xmlText(QStringView text)
{
    if (!needsCleaning(text))
        return text.toUtf8();
    QString clean;
    clean.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            clean += c;
            clean += text.at(++i);
        } else if (allowedInXml(c.unicode()) && !c.isSurrogate()) {
            clean += c;
        }
    }
    return clean.toUtf8();
}

void XmlPart::setAttribute(pugi::xml_node element, const char *name, const char *value)
{
    pugi::xml_attribute attribute = element.attribute(name);
    if (!attribute)
        attribute = element.append_attribute(name);
    attribute.set_value(value);
}
