#include "export/office/word/WordInlineShapes.h"

#include "export/office/ooxml/DocxPicture.h"
#include "export/office/word/WordRange.h"

AutomationReply WordInlineShapes::call(QLatin1String member, const AutomationArguments &arguments)
{
    if (member == QLatin1String("AddPicture(const QString&, QVariant, QVariant ,QVariant)"))
        return addPicture(arguments);
    return AutomationReply::unknown();
}

// Arguments: file name, link to file, save with document, range.
AutomationReply WordInlineShapes::addPicture(const AutomationArguments &arguments)
{
    if (arguments.value(1).toBool())
        return AutomationReply::failed(QStringLiteral("linked pictures are not supported"));
    const auto range =
        std::dynamic_pointer_cast<WordRange>(AutomationDispatch::fromVariant(arguments.value(3)));
    if (!range || !range->belongsTo(document()))
        return AutomationReply::failed(QStringLiteral("the range is not of this document"));
    QString error;
    if (!range->isAvailable(&error))
        return AutomationReply::failed(error);
    if (!DocxPicture::insertInline(document(), range->range(), arguments.value(0).toString(),
                                   &error))
        return AutomationReply::failed(error);
    return AutomationReply::done();
}
