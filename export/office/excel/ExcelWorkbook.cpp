#include "export/office/excel/ExcelWorkbook.h"

#include "export/office/excel/ExcelSheets.h"
#include "export/office/ooxml/XlsxWorkbook.h"

AutomationReply ExcelWorkbook::query(QLatin1String member, const AutomationArguments &)
{
    if (member == QLatin1String("Sheets"))
        return AutomationReply::object(std::make_shared<ExcelSheets>(sharedWorkbook()));
    return AutomationReply::unknown();
}

AutomationReply ExcelWorkbook::call(QLatin1String member, const AutomationArguments &arguments)
{
    if (member == QLatin1String("Save()"))
        return save();
    if (member == QLatin1String("Close()"))
        return close(false);
    if (member == QLatin1String("Close(Boolean)"))
        return close(arguments.value(0).toBool());
    return AutomationReply::unknown();
}

AutomationReply ExcelWorkbook::save()
{
    QString error;
    return workbook().save(&error) ? AutomationReply::done() : AutomationReply::failed(error);
}

AutomationReply ExcelWorkbook::close(bool saveChanges)
{
    if (saveChanges) {
        const AutomationReply saved = save();
        if (saved.outcome() != AutomationReply::Done)
            return saved;
    }
    workbook().close();
    return AutomationReply::done();
}
