#include "export/office/word/WordObject.h"

#include "export/office/ooxml/DocxDocument.h"

WordObject::WordObject(std::shared_ptr<DocxDocument> document) : m_document(std::move(document)) {}

bool WordObject::isAvailable(QString *reason) const
{
    if (m_document->isOpen())
        return true;
    *reason = QStringLiteral("the document has been closed");
    return false;
}
