#include "export/office/excel/ExcelSheets.h"

#include "export/office/excel/ExcelSheet.h"
#include "export/office/ooxml/XlsxWorkbook.h"

AutomationReply ExcelSheets::query(QLatin1String member, const AutomationArguments &arguments)
{
    if (member != QLatin1String("Item(int)"))
        return AutomationReply::unknown();
    QString error;
    XlsxSheet *sheet = workbook().sheet(arguments.value(0).toInt() - 1, &error);
    if (!sheet)
        return AutomationReply::failed(error);
    return AutomationReply::object(std::make_shared<ExcelSheet>(sharedWorkbook(), sheet));
}
