#pragma once

#include "export/office/word/WordObject.h"

class XmlNode;

// "Row": one table row, passed as the argument of Rows.Add(QVariant).
class WordRow : public WordObject
{
public:
    WordRow(std::shared_ptr<DocxDocument> document, XmlNode *row);

    QString typeName() const override { return QStringLiteral("Word.Row"); }
    XmlNode *row() const { return m_row; }

private:
    XmlNode *m_row;
};
