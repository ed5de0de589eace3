#pragma once

#include "export/office/word/WordObject.h"

// "Bookmark": Select(void), which has nothing to show here, and its range.
class WordBookmark : public WordObject
{
public:
    WordBookmark(std::shared_ptr<DocxDocument> document, pugi::xml_node start);

    QString typeName() const override { return QStringLiteral("Word.Bookmark"); }
    AutomationReply query(QLatin1String member, const AutomationArguments &arguments) override;
    AutomationReply call(QLatin1String member, const AutomationArguments &arguments) override;
};
