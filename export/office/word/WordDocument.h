#pragma once

#include "export/office/word/WordObject.h"

// "Document": its tables, bookmarks, inline shapes and main story range;
// saving and closing. Closing never asks: changes not saved are dropped.
class WordDocument : public WordObject
{
public:
    using WordObject::WordObject;

    QString typeName() const override { return QStringLiteral("Word.Document"); }
    AutomationReply query(QLatin1String member, const AutomationArguments &arguments) override;
    AutomationReply call(QLatin1String member, const AutomationArguments &arguments) override;

private:
    AutomationReply bookmark(const QString &name);
    AutomationReply save();
    AutomationReply saveAs(const QString &path);
    AutomationReply close(bool saveChanges);
};
