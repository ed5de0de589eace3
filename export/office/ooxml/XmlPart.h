#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <pugixml.hpp>

#include <cstring>

// One XML part of a package as a pugixml tree. pugixml does not interpret
// namespaces, so namespace declarations, prefixes and every attribute
// (mc:Ignorable among them) are written back as they were read, and
// whitespace-only text is kept. Elements are matched by their names as
// written ("w:p"), the prefixes that Office writers use.
//
// Nodes taken out of the tree are moved to a holder beside the document
// element, which is never written, so that handles to them stay valid until
// the part goes.
class XmlPart
{
public:
    XmlPart();
    XmlPart(const XmlPart &) = delete;
    XmlPart &operator=(const XmlPart &) = delete;

    bool parse(const QByteArray &data, QString *error);
    QByteArray serialize() const;

    // The document element, or an empty handle before a successful parse.
    pugi::xml_node root() const { return m_document.document_element(); }
    void discard(pugi::xml_node node);
    // True when the node is in the tree of the document element.
    bool contains(pugi::xml_node node) const;

    // UTF-8 of the text without what XML 1.0 cannot carry: control
    // characters other than tab, line feed and carriage return, U+FFFE,
    // U+FFFF and unpaired surrogates.
    static QByteArray xmlText(QStringView text);
    // Sets an attribute, adding it when missing.
    static void setAttribute(pugi::xml_node element, const char *name, const char *value);

private:
    pugi::xml_document m_document;
    pugi::xml_node m_discarded;
};

// Whether the node has the name. Inline, so that the comparison with a
// literal name is compiled in place.
inline bool is(pugi::xml_node node, const char *name)
{
    return std::strcmp(node.name(), name) == 0;
}
