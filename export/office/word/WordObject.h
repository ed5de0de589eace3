#pragma once

#include "export/office/AutomationDispatch.h"

#include <memory>

class DocxDocument;

// Base of the objects that belong to one open Word document: they can no
// longer be used once the document has been closed.
class WordObject : public AutomationDispatch
{
public:
    explicit WordObject(std::shared_ptr<DocxDocument> document);

    bool isAvailable(QString *reason) const override;
    bool belongsTo(const DocxDocument &document) const { return m_document.get() == &document; }

protected:
    DocxDocument &document() const { return *m_document; }
    const std::shared_ptr<DocxDocument> &sharedDocument() const { return m_document; }

private:
    std::shared_ptr<DocxDocument> m_document;
};
