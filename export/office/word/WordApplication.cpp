#include "export/office/word/WordApplication.h"

#include "export/office/word/WordDocuments.h"

WordApplication::WordApplication() : m_documents(std::make_shared<WordDocuments>()) {}

AutomationReply WordApplication::query(const QString &member, const QVariantList &)
{
    if (member == QLatin1String("Documents"))
        return AutomationReply::object(m_documents);
    return AutomationReply::unknown();
}

AutomationReply WordApplication::call(const QString &member, const QVariantList &)
{
    if (member == QLatin1String("Quit()")) {
        m_documents->closeAll();
        return AutomationReply::done();
    }
    return AutomationReply::unknown();
}

AutomationReply WordApplication::property(const QString &name) const
{
    if (name == QLatin1String("Visible"))
        return AutomationReply::done(false);
    return AutomationReply::unknown();
}

AutomationReply WordApplication::setProperty(const QString &name, const QVariant &)
{
    if (name == QLatin1String("Visible"))
        return AutomationReply::done();
    return AutomationReply::unknown();
}
