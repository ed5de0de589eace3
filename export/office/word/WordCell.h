#pragma once

#include "export/office/word/WordObject.h"

// "Cell" of a table: its range.
class WordCell : public WordObject
{
public:
    WordCell(std::shared_ptr<DocxDocument> document, pugi::xml_node cell);

    QString typeName() const override { return QStringLiteral("Word.Cell"); }
    AutomationReply query(QLatin1String member, const AutomationArguments &arguments) override;
};
