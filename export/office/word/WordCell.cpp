#include "export/office/word/WordCell.h"

#include "export/office/ooxml/DocxRange.h"
#include "export/office/word/WordRange.h"

WordCell::WordCell(std::shared_ptr<DocxDocument> document, pugi::xml_node cell)
    : WordObject(std::move(document), cell)
{}

AutomationReply WordCell::query(QLatin1String member, const AutomationArguments &)
{
    if (member == QLatin1String("Range"))
        return AutomationReply::object(
            std::make_shared<WordRange>(sharedDocument(), DocxRange::cell(node())));
    return AutomationReply::unknown();
}
