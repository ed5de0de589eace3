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
    AutomationReply query(const QString &member, const QVariantList &arguments) override;
    AutomationReply call(const QString &member, const QVariantList &arguments) override;
    AutomationReply property(const QString &name) const override;
    AutomationReply setProperty(const QString &name, const QVariant &value) override;

private:
    std::shared_ptr<WordDocuments> m_documents;
};
