#pragma once

#include "export/office/ooxml/DocxRange.h"
#include "export/office/word/WordObject.h"

// "Range": its text (property "Text", SetText), and InsertAfter on the
// range of the main story.
class WordRange : public WordObject
{
public:
    WordRange(std::shared_ptr<DocxDocument> document, const DocxRange &range);

    QString typeName() const override { return QStringLiteral("Word.Range"); }
    bool isAvailable(QString *reason) const override;
    AutomationReply call(QLatin1String member, const AutomationArguments &arguments) override;
    AutomationReply property(QLatin1String name) const override;
    AutomationReply setProperty(QLatin1String name, const QVariant &value) override;

    const DocxRange &range() const { return m_range; }

private:
    AutomationReply setText(const QString &text);
    AutomationReply insertAfter(const QString &text);

    DocxRange m_range;
};
