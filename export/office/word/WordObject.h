#pragma once

#include "export/office/AutomationDispatch.h"

#include <pugixml.hpp>

#include <memory>

class DocxDocument;

// Base of the objects that belong to one open Word document: they can no
// longer be used once the document has been closed, nor once the part of
// the document they stand for (a table, row, cell or bookmark) has been
// deleted from it.
class WordObject : public AutomationDispatch
{
public:
    explicit WordObject(std::shared_ptr<DocxDocument> document,
                        pugi::xml_node node = pugi::xml_node());

    bool isAvailable(QString *reason) const override;
    bool belongsTo(const DocxDocument &document) const { return m_document.get() == &document; }

protected:
    DocxDocument &document() const { return *m_document; }
    const std::shared_ptr<DocxDocument> &sharedDocument() const { return m_document; }

    pugi::xml_node node() const { return m_node; }

private:
    std::shared_ptr<DocxDocument> m_document;
    pugi::xml_node m_node;
};
