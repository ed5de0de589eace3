#include "export/office/word/WordBookmark.h"

#include "export/office/ooxml/DocxRange.h"
#include "export/office/word/WordRange.h"

WordBookmark::WordBookmark(std::shared_ptr<DocxDocument> document, pugi::xml_node start)
    : WordObject(std::move(document), start)
{}

AutomationReply WordBookmark::query(QLatin1String member, const AutomationArguments &)
{
    if (member == QLatin1String("Range"))
        return AutomationReply::object(
            std::make_shared<WordRange>(sharedDocument(), DocxRange::bookmark(node())));
    return AutomationReply::unknown();
}

AutomationReply WordBookmark::call(QLatin1String member, const AutomationArguments &)
{
    if (member == QLatin1String("Select(void)"))
        return AutomationReply::done();
    return AutomationReply::unknown();
}
