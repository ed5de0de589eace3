#pragma once

#include "export/office/word/WordObject.h"

// "Table": auto-fit, its rows and its cells (row and column from 1).
class WordTable : public WordObject
{
public:
    WordTable(std::shared_ptr<DocxDocument> document, pugi::xml_node table);

    QString typeName() const override { return QStringLiteral("Word.Table"); }
    AutomationReply query(QLatin1String member, const AutomationArguments &arguments) override;
    AutomationReply call(QLatin1String member, const AutomationArguments &arguments) override;

private:
    AutomationReply row(int index);
    AutomationReply cell(int row, int column);
    AutomationReply autoFit(int behavior);
};
