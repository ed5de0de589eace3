#pragma once

#include "export/office/word/WordObject.h"

class XmlNode;

// "Cell" of a table: its range.
class WordCell : public WordObject
{
public:
    WordCell(std::shared_ptr<DocxDocument> document, XmlNode *cell);

    QString typeName() const override { return QStringLiteral("Word.Cell"); }
    AutomationReply query(const QString &member, const QVariantList &arguments) override;

private:
    XmlNode *m_cell;
};
