#include "export/office/word/WordCell.h"

#include "export/office/ooxml/DocxRange.h"
#include "export/office/word/WordRange.h"

WordCell::WordCell(std::shared_ptr<DocxDocument> document, XmlNode *cell)
    : WordObject(std::move(document)), m_cell(cell)
{}

AutomationReply WordCell::query(const QString &member, const QVariantList &)
{
    if (member == QLatin1String("Range"))
        return AutomationReply::object(
            std::make_shared<WordRange>(sharedDocument(), DocxRange::cell(m_cell)));
    return AutomationReply::unknown();
}
