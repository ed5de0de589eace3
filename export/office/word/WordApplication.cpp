#include "export/office/word/WordApplication.h"

#include "export/office/word/WordDocuments.h"

WordApplication::WordApplication() : m_documents(std::make_shared<WordDocuments>()) {}

AutomationReply WordApplication::query(QLatin1String member, const AutomationArguments &)
{
    if (member == QLatin1String("Documents"))
        return AutomationReply::object(m_documents);
    return AutomationReply::unknown();
}

AutomationReply WordApplication::call(QLatin1String member, const AutomationArguments &)
{
    if (member == QLatin1String("Quit()")) {
        m_documents->closeAll();
        return AutomationReply::done();
    }
    return AutomationReply::unknown();
}

AutomationReply WordApplication::property(QLatin1String name) const
{
    if (name == QLatin1String("Visible"))
        return AutomationReply::done(false);
    return AutomationReply::unknown();
}

AutomationReply WordApplication::setProperty(QLatin1String name, const QVariant &)
{
    if (name == QLatin1String("Visible"))
        return AutomationReply::done();
    return AutomationReply::unknown();
}
