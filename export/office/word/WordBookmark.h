#pragma once

#include "export/office/word/WordObject.h"

class XmlNode;

// "Bookmark": Select(void), which has nothing to show here, and its range.
class WordBookmark : public WordObject
{
public:
    WordBookmark(std::shared_ptr<DocxDocument> document, XmlNode *start);

    QString typeName() const override { return QStringLiteral("Word.Bookmark"); }
    AutomationReply query(const QString &member, const QVariantList &arguments) override;
    AutomationReply call(const QString &member, const QVariantList &arguments) override;

private:
    XmlNode *m_start;
};
