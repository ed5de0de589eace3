#pragma once

#include "export/office/word/WordObject.h"

// "Rows" of a table: the count, the last row, and Add(QVariant), which
// inserts a row formatted like the given row before it.
class WordRows : public WordObject
{
public:
    WordRows(std::shared_ptr<DocxDocument> document, pugi::xml_node table);

    QString typeName() const override { return QStringLiteral("Word.Rows"); }
    AutomationReply query(QLatin1String member, const AutomationArguments &arguments) override;
    AutomationReply call(QLatin1String member, const AutomationArguments &arguments) override;

private:
    AutomationReply add(const QVariant &beforeRow);
};
