#include "export/office/word/WordRows.h"

#include "export/office/ooxml/DocxDocument.h"
#include "export/office/ooxml/DocxTables.h"
#include "export/office/ooxml/OoxmlNamespaces.h"
#include "export/office/ooxml/XmlNode.h"
#include "export/office/word/WordRow.h"

WordRows::WordRows(std::shared_ptr<DocxDocument> document, XmlNode *table)
    : WordObject(std::move(document)), m_table(table)
{}

AutomationReply WordRows::query(const QString &member, const QVariantList &)
{
    if (member != QLatin1String("Last"))
        return AutomationReply::unknown();
    const std::vector<XmlNode *> &rows = document().rowsOf(m_table);
    if (rows.empty())
        return AutomationReply::failed(QStringLiteral("the table has no rows"));
    return AutomationReply::object(std::make_shared<WordRow>(sharedDocument(), rows.back()));
}

AutomationReply WordRows::call(const QString &member, const QVariantList &arguments)
{
    if (member == QLatin1String("Count"))
        return AutomationReply::done(static_cast<int>(document().rowsOf(m_table).size()));
    if (member == QLatin1String("Add(QVariant)"))
        return add(arguments.value(0));
    return AutomationReply::unknown();
}

AutomationReply WordRows::add(const QVariant &beforeRow)
{
    const auto row = std::dynamic_pointer_cast<WordRow>(AutomationDispatch::fromVariant(beforeRow));
    if (!row || !row->belongsTo(document()) ||
        row->row()->ancestor(Ooxml::wordNs, QStringLiteral("tbl")) != m_table)
        return AutomationReply::failed(QStringLiteral("the argument is not a row of this table"));
    XmlNode *added = DocxTables::insertRowBefore(document(), row->row());
    return AutomationReply::object(std::make_shared<WordRow>(sharedDocument(), added));
}
