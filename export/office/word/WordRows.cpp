#include "export/office/word/WordRows.h"

#include "export/office/ooxml/DocxDocument.h"
#include "export/office/ooxml/DocxTables.h"
#include "export/office/ooxml/DocxText.h"
#include "export/office/word/WordRow.h"

WordRows::WordRows(std::shared_ptr<DocxDocument> document, pugi::xml_node table)
    : WordObject(std::move(document), table)
{}

AutomationReply WordRows::query(QLatin1String member, const AutomationArguments &)
{
    if (member != QLatin1String("Last"))
        return AutomationReply::unknown();
    const std::vector<pugi::xml_node> &rows = document().rowsOf(node());
    if (rows.empty())
        return AutomationReply::failed(QStringLiteral("the table has no rows"));
    return AutomationReply::object(std::make_shared<WordRow>(sharedDocument(), rows.back()));
}

AutomationReply WordRows::call(QLatin1String member, const AutomationArguments &arguments)
{
    if (member == QLatin1String("Count"))
        return AutomationReply::done(static_cast<int>(document().rowsOf(node()).size()));
    if (member == QLatin1String("Add(QVariant)"))
        return add(arguments.value(0));
    return AutomationReply::unknown();
}

AutomationReply WordRows::add(const QVariant &beforeRow)
{
    const auto row = std::dynamic_pointer_cast<WordRow>(AutomationDispatch::fromVariant(beforeRow));
    if (!row || !row->belongsTo(document()) || !document().contains(row->row()) ||
        DocxText::ancestor(row->row(), "w:tbl") != node())
        return AutomationReply::failed(QStringLiteral("the argument is not a row of this table"));
    pugi::xml_node added = DocxTables::insertRowBefore(document(), row->row());
    return AutomationReply::object(std::make_shared<WordRow>(sharedDocument(), added));
}
