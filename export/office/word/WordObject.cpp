#include "export/office/word/WordObject.h"

#include "export/office/ooxml/DocxDocument.h"

WordObject::WordObject(std::shared_ptr<DocxDocument> document, pugi::xml_node node)
    : m_document(std::move(document)), m_node(node)
{}

bool WordObject::isAvailable(QString *reason) const
{
    if (!m_document->isOpen()) {
        *reason = QStringLiteral("the document has been closed");
        return false;
    }
    if (m_node && !m_document->contains(m_node)) {
        *reason = QStringLiteral("it is no longer in the document");
        return false;
    }
    return true;
}
