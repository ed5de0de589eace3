#include "export/office/word/WordDocument.h"

#include "export/office/ooxml/DocxDocument.h"
#include "export/office/ooxml/DocxRange.h"
#include "export/office/word/WordBookmark.h"
#include "export/office/word/WordInlineShapes.h"
#include "export/office/word/WordRange.h"
#include "export/office/word/WordTables.h"

AutomationReply WordDocument::query(QLatin1String member, const AutomationArguments &arguments)
{
    if (member == QLatin1String("Tables"))
        return AutomationReply::object(std::make_shared<WordTables>(sharedDocument()));
    if (member == QLatin1String("Bookmarks(QVariant)"))
        return bookmark(arguments.value(0).toString());
    if (member == QLatin1String("InlineShapes"))
        return AutomationReply::object(std::make_shared<WordInlineShapes>(sharedDocument()));
    if (member == QLatin1String("Range()"))
        return AutomationReply::object(
            std::make_shared<WordRange>(sharedDocument(), DocxRange::story()));
    return AutomationReply::unknown();
}

AutomationReply WordDocument::call(QLatin1String member, const AutomationArguments &arguments)
{
    if (member == QLatin1String("Save()"))
        return save();
    if (member == QLatin1String("SaveAs(const QString&)"))
        return saveAs(arguments.value(0).toString());
    if (member == QLatin1String("Close()"))
        return close(false);
    if (member == QLatin1String("Close(Boolean)"))
        return close(arguments.value(0).toBool());
    return AutomationReply::unknown();
}

AutomationReply WordDocument::bookmark(const QString &name)
{
    pugi::xml_node start = document().bookmarkStart(name);
    if (!start)
        return AutomationReply::failed(QStringLiteral("no bookmark \"%1\"").arg(name));
    return AutomationReply::object(std::make_shared<WordBookmark>(sharedDocument(), start));
}

AutomationReply WordDocument::save()
{
    QString error;
    return document().save(&error) ? AutomationReply::done() : AutomationReply::failed(error);
}

AutomationReply WordDocument::saveAs(const QString &path)
{
    QString error;
    return document().saveAs(path, &error) ? AutomationReply::done()
                                           : AutomationReply::failed(error);
}

AutomationReply WordDocument::close(bool saveChanges)
{
    if (saveChanges) {
        const AutomationReply saved = save();
        if (saved.outcome() != AutomationReply::Done)
            return saved;
    }
    document().close();
    return AutomationReply::done();
}
