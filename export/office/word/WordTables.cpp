#include "export/office/word/WordTables.h"

#include "export/office/ooxml/DocxDocument.h"
#include "export/office/word/WordTable.h"

AutomationReply WordTables::query(QLatin1String member, const AutomationArguments &arguments)
{
    if (member != QLatin1String("Item(int)"))
        return AutomationReply::unknown();
    const std::vector<pugi::xml_node> tables = document().tables();
    const int index = arguments.value(0).toInt();
    if (index < 1 || index > static_cast<int>(tables.size()))
        return AutomationReply::failed(QStringLiteral("no table %1").arg(index));
    return AutomationReply::object(
        std::make_shared<WordTable>(sharedDocument(), tables[static_cast<size_t>(index - 1)]));
}
