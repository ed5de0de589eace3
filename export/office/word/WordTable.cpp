#include "export/office/word/WordTable.h"

#include "export/office/ooxml/DocxDocument.h"
#include "export/office/ooxml/DocxTables.h"
#include "export/office/word/WdAutoFitBehavior.h"
#include "export/office/word/WordCell.h"
#include "export/office/word/WordRow.h"
#include "export/office/word/WordRows.h"

WordTable::WordTable(std::shared_ptr<DocxDocument> document, pugi::xml_node table)
    : WordObject(std::move(document), table)
{}

AutomationReply WordTable::query(QLatin1String member, const AutomationArguments &arguments)
{
    if (member == QLatin1String("Rows"))
        return AutomationReply::object(std::make_shared<WordRows>(sharedDocument(), node()));
    if (member == QLatin1String("Rows(int)"))
        return row(arguments.value(0).toInt());
    if (member == QLatin1String("Cell(int, int)"))
        return cell(arguments.value(0).toInt(), arguments.value(1).toInt());
    return AutomationReply::unknown();
}

AutomationReply WordTable::call(QLatin1String member, const AutomationArguments &arguments)
{
    if (member == QLatin1String("AutoFitBehavior(WdAutoFitBehavior)"))
        return autoFit(arguments.value(0).toInt());
    return AutomationReply::unknown();
}

AutomationReply WordTable::row(int index)
{
    pugi::xml_node tableRow = DocxTables::row(document(), node(), index - 1);
    if (!tableRow)
        return AutomationReply::failed(QStringLiteral("no row %1").arg(index));
    return AutomationReply::object(std::make_shared<WordRow>(sharedDocument(), tableRow));
}

AutomationReply WordTable::cell(int row, int column)
{
    pugi::xml_node tableCell = DocxTables::cell(document(), node(), row - 1, column - 1);
    if (!tableCell)
        return AutomationReply::failed(QStringLiteral("no cell (%1, %2)").arg(row).arg(column));
    return AutomationReply::object(std::make_shared<WordCell>(sharedDocument(), tableCell));
}

AutomationReply WordTable::autoFit(int behavior)
{
    if (behavior != WdAutoFitBehavior::FitWindow)
        return AutomationReply::failed(
            QStringLiteral("auto-fit behavior %1 is not supported").arg(behavior));
    DocxTables::fitToWindow(document(), node());
    return AutomationReply::done();
}
