#pragma once

#include <QString>
#include <QVector>

#include <memory>
#include <vector>

// One node of an XML tree kept exactly as it was read: every namespace
// declaration stays where it was written, whitespace-only text is kept, and
// names are stored both as written (prefix:local) and resolved (namespace
// URI and local name), so that documents using other prefixes are matched
// by meaning and written back unchanged.
class XmlNode
{
public:
    enum Kind_e
    {
        DocumentNode,
        ElementNode,
        TextNode,
        CommentNode,
        InstructionNode,
        DtdNode
    };

    struct Attribute
    {
        QString qualifiedName;
        QString namespaceUri;
        QString localName;
        QString value;
    };

    explicit XmlNode(Kind_e kind);
    XmlNode(const QString &qualifiedName, const QString &namespaceUri, const QString &localName);
    XmlNode(const XmlNode &) = delete;
    XmlNode &operator=(const XmlNode &) = delete;

    static std::unique_ptr<XmlNode> makeText(const QString &text);

    Kind_e kind() const { return m_kind; }
    bool isElement() const { return m_kind == ElementNode; }
    bool is(const QString &namespaceUri, const QString &localName) const;
    const QString &qualifiedName() const { return m_qualifiedName; }
    const QString &namespaceUri() const { return m_namespaceUri; }
    const QString &localName() const { return m_localName; }

    // Text of a text node, data of a comment, instruction or DTD.
    const QString &data() const { return m_data; }
    void setData(const QString &data) { m_data = data; }
    // Target of a processing instruction.
    const QString &target() const { return m_target; }
    void setTarget(const QString &target) { m_target = target; }

    const QVector<Attribute> &attributes() const { return m_attributes; }
    QString attribute(const QString &namespaceUri, const QString &localName) const;
    bool hasAttribute(const QString &namespaceUri, const QString &localName) const;
    void setAttribute(const Attribute &attribute);
    void removeAttribute(const QString &namespaceUri, const QString &localName);

    XmlNode *parent() const { return m_parent; }
    const std::vector<std::unique_ptr<XmlNode>> &children() const { return m_children; }
    int childCount() const { return static_cast<int>(m_children.size()); }
    XmlNode *child(int index) const { return m_children[static_cast<size_t>(index)].get(); }
    // Position of a direct child, searched from the end (new content is
    // mostly added near the end), or -1.
    int indexOf(const XmlNode *child) const;

    XmlNode *firstChild(const QString &namespaceUri, const QString &localName) const;
    QVector<XmlNode *> childElements(const QString &namespaceUri, const QString &localName) const;
    // Nearest ancestor (not the node itself) with the given name, or null.
    XmlNode *ancestor(const QString &namespaceUri, const QString &localName) const;
    // Concatenated text of every text node below this node.
    QString textContent() const;

    XmlNode *appendChild(std::unique_ptr<XmlNode> child);
    XmlNode *insertChild(int index, std::unique_ptr<XmlNode> child);
    XmlNode *insertBefore(const XmlNode *reference, std::unique_ptr<XmlNode> child);
    XmlNode *insertAfter(const XmlNode *reference, std::unique_ptr<XmlNode> child);
    std::unique_ptr<XmlNode> takeChild(int index);
    std::unique_ptr<XmlNode> take(const XmlNode *child);
    // Removes every child and returns them, in order.
    std::vector<std::unique_ptr<XmlNode>> takeChildren();

    std::unique_ptr<XmlNode> clone() const;
    // A copy of the node without its children.
    std::unique_ptr<XmlNode> cloneEmpty() const;

private:
    Kind_e m_kind;
    QString m_qualifiedName;
    QString m_namespaceUri;
    QString m_localName;
    QString m_data;
    QString m_target;
    QVector<Attribute> m_attributes;
    XmlNode *m_parent = nullptr;
    std::vector<std::unique_ptr<XmlNode>> m_children;
};
