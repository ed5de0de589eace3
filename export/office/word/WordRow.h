#pragma once

#include "export/office/word/WordObject.h"

// "Row": one table row, passed as the argument of Rows.Add(QVariant).
class WordRow : public WordObject
{
public:
    WordRow(std::shared_ptr<DocxDocument> document, pugi::xml_node row);

    QString typeName() const override { return QStringLiteral("Word.Row"); }
    pugi::xml_node row() const { return node(); }
};
