#include "export/office/word/WordDocuments.h"

#include "export/office/ooxml/DocxDocument.h"
#include "export/office/word/WordDocument.h"

#include <algorithm>

AutomationReply WordDocuments::query(QLatin1String member, const AutomationArguments &arguments)
{
    if (member == QLatin1String("Open(const QString&)"))
        return open(arguments.value(0).toString());
    if (member == QLatin1String("Add()"))
        return add();
    return AutomationReply::unknown();
}

void WordDocuments::closeAll()
{
    for (const auto &document : qAsConst(m_open))
        document->close();
    m_open.clear();
}

void WordDocuments::keep(const std::shared_ptr<DocxDocument> &document)
{
    m_open.erase(std::remove_if(m_open.begin(), m_open.end(),
                                [](const auto &openDocument) { return !openDocument->isOpen(); }),
                 m_open.end());
    m_open.append(document);
}

AutomationReply WordDocuments::open(const QString &path)
{
    QString error;
    std::shared_ptr<DocxDocument> document = DocxDocument::open(path, &error);
    if (!document)
        return AutomationReply::failed(error);
    keep(document);
    return AutomationReply::object(std::make_shared<WordDocument>(document));
}

AutomationReply WordDocuments::add()
{
    std::shared_ptr<DocxDocument> document = DocxDocument::createBlank();
    keep(document);
    return AutomationReply::object(std::make_shared<WordDocument>(document));
}
