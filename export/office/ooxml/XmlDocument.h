#pragma once

#include "export/office/ooxml/XmlNode.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <memory>

// An XML part held as a tree of XmlNode, read with QXmlStreamReader and
// written as UTF-8. What is not changed is written back as it was read
// (quoting and character references may differ). The writer is our own:
// QXmlStreamWriter writes some 30 MB/s, too slow for reports of many rows.
class XmlDocument
{
public:
    XmlDocument();

    bool parse(const QByteArray &data, QString *error);
    QByteArray serialize() const;

    // The document element, or null before a successful parse.
    XmlNode *root() const;

    // A new element in the given namespace, named with the prefix that the
    // document element declares for it; a missing declaration is added to
    // the document element.
    std::unique_ptr<XmlNode> createElement(const QString &namespaceUri, const QString &localName);
    XmlNode::Attribute makeAttribute(const QString &namespaceUri, const QString &localName,
                                     const QString &value);

private:
    QString prefixFor(const QString &namespaceUri, bool forAttribute);
    QString declareOnRoot(const QString &namespaceUri);
    QString qualify(const QString &namespaceUri, const QString &localName, bool forAttribute);

    std::unique_ptr<XmlNode> m_document;
    bool m_hasDeclaration = false;
    bool m_standalone = false;
    QString m_version;
    QHash<QString, QString> m_elementPrefixes;
    QHash<QString, QString> m_attributePrefixes;
    // Qualified names already made, by namespace and local name.
    QHash<QString, QHash<QString, QString>> m_elementNames;
    QHash<QString, QHash<QString, QString>> m_attributeNames;
};
