#include "export/office/ooxml/XmlTreeWalker.h"

#include "export/office/ooxml/XmlNode.h"

XmlTreeWalker::XmlTreeWalker(XmlNode *start) : m_current(start)
{
    for (XmlNode *node = start; node->parent(); node = node->parent())
        m_path.insert(m_path.begin(), {node->parent(), node->parent()->indexOf(node)});
}

XmlNode *XmlTreeWalker::next()
{
    if (!m_current)
        return nullptr;
    if (m_current->childCount() > 0) {
        m_path.push_back({m_current, 0});
        m_current = m_current->child(0);
        return m_current;
    }
    while (!m_path.empty()) {
        Level &level = m_path.back();
        if (++level.index < level.parent->childCount()) {
            m_current = level.parent->child(level.index);
            return m_current;
        }
        m_path.pop_back();
    }
    m_current = nullptr;
    return nullptr;
}
