#pragma once

#include "export/office/word/WordObject.h"

// "InlineShapes": AddPicture stores a picture file in the document at a range.
class WordInlineShapes : public WordObject
{
public:
    using WordObject::WordObject;

    QString typeName() const override { return QStringLiteral("Word.InlineShapes"); }
    AutomationReply call(QLatin1String member, const AutomationArguments &arguments) override;

private:
    AutomationReply addPicture(const AutomationArguments &arguments);
};
