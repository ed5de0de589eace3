#pragma once

#include "export/office/AutomationDispatch.h"

#include <memory>

class WordDocuments;

// "Word.Application": the documents collection and Quit(). The application
// is never shown; "Visible" is accepted and stays false.
class WordApplication : public AutomationDispatch
{
public:
    WordApplication();

    QString typeName() const override { return QStringLiteral("Word.Application"); }
    AutomationReply query(QLatin1String member, const AutomationArguments &arguments) override;
    AutomationReply call(QLatin1String member, const AutomationArguments &arguments) override;
    AutomationReply property(QLatin1String name) const override;
    AutomationReply setProperty(QLatin1String name, const QVariant &value) override;

private:
    std::shared_ptr<WordDocuments> m_documents;
};
