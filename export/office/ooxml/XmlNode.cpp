#include "export/office/ooxml/XmlNode.h"

XmlNode::XmlNode(Kind_e kind) : m_kind(kind) {}

XmlNode::XmlNode(const QString &qualifiedName, const QString &namespaceUri,
                 const QString &localName)
    : m_kind(ElementNode), m_qualifiedName(qualifiedName), m_namespaceUri(namespaceUri),
      m_localName(localName)
{}

std::unique_ptr<XmlNode> XmlNode::makeText(const QString &text)
{
    auto node = std::make_unique<XmlNode>(TextNode);
    node->m_data = text;
    return node;
}

bool XmlNode::is(const QString &namespaceUri, const QString &localName) const
{
    return m_kind == ElementNode && m_localName == localName && m_namespaceUri == namespaceUri;
}

QString XmlNode::attribute(const QString &namespaceUri, const QString &localName) const
{
    for (const Attribute &attribute : m_attributes) {
        if (attribute.localName == localName && attribute.namespaceUri == namespaceUri)
            return attribute.value;
    }
    return QString();
}

bool XmlNode::hasAttribute(const QString &namespaceUri, const QString &localName) const
{
    for (const Attribute &attribute : m_attributes) {
        if (attribute.localName == localName && attribute.namespaceUri == namespaceUri)
            return true;
    }
    return false;
}

void XmlNode::setAttribute(const Attribute &attribute)
{
    for (Attribute &existing : m_attributes) {
        if (existing.localName == attribute.localName &&
            existing.namespaceUri == attribute.namespaceUri) {
            existing.value = attribute.value;
            return;
        }
    }
    m_attributes.append(attribute);
}

void XmlNode::removeAttribute(const QString &namespaceUri, const QString &localName)
{
    for (int i = m_attributes.size() - 1; i >= 0; --i) {
        const Attribute &attribute = m_attributes.at(i);
        if (attribute.localName == localName && attribute.namespaceUri == namespaceUri)
            m_attributes.remove(i);
    }
}

int XmlNode::indexOf(const XmlNode *child) const
{
    for (int i = childCount() - 1; i >= 0; --i) {
        if (m_children[static_cast<size_t>(i)].get() == child)
            return i;
    }
    return -1;
}

XmlNode *XmlNode::firstChild(const QString &namespaceUri, const QString &localName) const
{
    for (const auto &child : m_children) {
        if (child->is(namespaceUri, localName))
            return child.get();
    }
    return nullptr;
}

QVector<XmlNode *> XmlNode::childElements(const QString &namespaceUri,
                                          const QString &localName) const
{
    QVector<XmlNode *> found;
    for (const auto &child : m_children) {
        if (child->is(namespaceUri, localName))
            found.append(child.get());
    }
    return found;
}

XmlNode *XmlNode::ancestor(const QString &namespaceUri, const QString &localName) const
{
    for (XmlNode *node = m_parent; node; node = node->m_parent) {
        if (node->is(namespaceUri, localName))
            return node;
    }
    return nullptr;
}

QString XmlNode::textContent() const
{
    if (m_kind == TextNode)
        return m_data;
    QString text;
    for (const auto &child : m_children)
        text += child->textContent();
    return text;
}

XmlNode *XmlNode::appendChild(std::unique_ptr<XmlNode> child)
{
    child->m_parent = this;
    m_children.push_back(std::move(child));
    return m_children.back().get();
}

XmlNode *XmlNode::insertChild(int index, std::unique_ptr<XmlNode> child)
{
    child->m_parent = this;
    auto position = m_children.begin() + qBound(0, index, childCount());
    return m_children.insert(position, std::move(child))->get();
}

XmlNode *XmlNode::insertBefore(const XmlNode *reference, std::unique_ptr<XmlNode> child)
{
    const int index = indexOf(reference);
    return insertChild(index < 0 ? childCount() : index, std::move(child));
}

XmlNode *XmlNode::insertAfter(const XmlNode *reference, std::unique_ptr<XmlNode> child)
{
    const int index = indexOf(reference);
    return insertChild(index < 0 ? childCount() : index + 1, std::move(child));
}

std::unique_ptr<XmlNode> XmlNode::takeChild(int index)
{
    auto position = m_children.begin() + index;
    std::unique_ptr<XmlNode> child = std::move(*position);
    m_children.erase(position);
    child->m_parent = nullptr;
    return child;
}

std::unique_ptr<XmlNode> XmlNode::take(const XmlNode *child)
{
    const int index = indexOf(child);
    return index < 0 ? nullptr : takeChild(index);
}

std::vector<std::unique_ptr<XmlNode>> XmlNode::takeChildren()
{
    std::vector<std::unique_ptr<XmlNode>> taken = std::move(m_children);
    m_children.clear();
    for (auto &child : taken)
        child->m_parent = nullptr;
    return taken;
}

std::unique_ptr<XmlNode> XmlNode::cloneEmpty() const
{
    auto copy = std::make_unique<XmlNode>(m_kind);
    copy->m_qualifiedName = m_qualifiedName;
    copy->m_namespaceUri = m_namespaceUri;
    copy->m_localName = m_localName;
    copy->m_data = m_data;
    copy->m_target = m_target;
    copy->m_attributes = m_attributes;
    return copy;
}

std::unique_ptr<XmlNode> XmlNode::clone() const
{
    std::unique_ptr<XmlNode> copy = cloneEmpty();
    copy->m_children.reserve(m_children.size());
    for (const auto &child : m_children)
        copy->appendChild(child->clone());
    return copy;
}
