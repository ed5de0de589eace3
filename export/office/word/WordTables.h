#pragma once

#include "export/office/word/WordObject.h"

// "Tables": the tables of the main story, in order; Item(int) counts from 1.
class WordTables : public WordObject
{
public:
    using WordObject::WordObject;

    QString typeName() const override { return QStringLiteral("Word.Tables"); }
    AutomationReply query(QLatin1String member, const AutomationArguments &arguments) override;
};
