#pragma once

#include "export/office/word/WordObject.h"

class XmlNode;

// "Rows" of a table: the count, the last row, and Add(QVariant), which
// inserts a row formatted like the given row before it.
class WordRows : public WordObject
{
public:
    WordRows(std::shared_ptr<DocxDocument> document, XmlNode *table);

    QString typeName() const override { return QStringLiteral("Word.Rows"); }
    AutomationReply query(const QString &member, const QVariantList &arguments) override;
    AutomationReply call(const QString &member, const QVariantList &arguments) override;

private:
    AutomationReply add(const QVariant &beforeRow);

    XmlNode *m_table;
};
