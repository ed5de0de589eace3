#include "export/office/word/WordRange.h"

WordRange::WordRange(std::shared_ptr<DocxDocument> document, const DocxRange &range)
    : WordObject(std::move(document)), m_range(range)
{}

bool WordRange::isAvailable(QString *reason) const
{
    if (!WordObject::isAvailable(reason))
        return false;
    if (m_range.isAttached(document()))
        return true;
    *reason = QStringLiteral("the range is no longer in the document");
    return false;
}

AutomationReply WordRange::call(QLatin1String member, const AutomationArguments &arguments)
{
    if (member == QLatin1String("SetText(QString)") ||
        member == QLatin1String("SetText(const QString&)"))
        return setText(arguments.value(0).toString());
    if (member == QLatin1String("InsertAfter(QString)"))
        return insertAfter(arguments.value(0).toString());
    return AutomationReply::unknown();
}

AutomationReply WordRange::property(QLatin1String name) const
{
    if (name == QLatin1String("Text"))
        return AutomationReply::done(m_range.text(document()));
    return AutomationReply::unknown();
}

AutomationReply WordRange::setProperty(QLatin1String name, const QVariant &value)
{
    if (name == QLatin1String("Text"))
        return setText(value.toString());
    return AutomationReply::unknown();
}

AutomationReply WordRange::setText(const QString &text)
{
    if (!m_range.setText(document(), text))
        return AutomationReply::failed(QStringLiteral("the range has no place for text"));
    return AutomationReply::done();
}

AutomationReply WordRange::insertAfter(const QString &text)
{
    if (m_range.kind() != DocxRange::StoryRange)
        return AutomationReply::failed(
            QStringLiteral("InsertAfter is offered on the range of the main story only"));
    m_range.appendToStory(document(), text);
    return AutomationReply::done();
}
