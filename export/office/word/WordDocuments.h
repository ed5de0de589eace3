#pragma once

#include "export/office/AutomationDispatch.h"

#include <QList>

#include <memory>

class DocxDocument;

// "Documents": opens .docx files and creates blank documents; keeps the open
// ones so that quitting closes them.
class WordDocuments : public AutomationDispatch
{
public:
    QString typeName() const override { return QStringLiteral("Word.Documents"); }
    AutomationReply query(QLatin1String member, const AutomationArguments &arguments) override;

    // Closes every open document without saving it.
    void closeAll();

private:
    AutomationReply open(const QString &path);
    AutomationReply add();
    void keep(const std::shared_ptr<DocxDocument> &document);

    QList<std::shared_ptr<DocxDocument>> m_open;
};
