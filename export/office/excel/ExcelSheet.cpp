#include "export/office/excel/ExcelSheet.h"

#include "export/office/excel/ExcelRange.h"
#include "export/office/ooxml/CellReference.h"

ExcelSheet::ExcelSheet(std::shared_ptr<XlsxWorkbook> workbook, XlsxSheet *sheet)
    : ExcelObject(std::move(workbook)), m_sheet(sheet)
{}

AutomationReply ExcelSheet::query(QLatin1String member, const AutomationArguments &arguments)
{
    if (member != QLatin1String("Cells(int,int)"))
        return AutomationReply::unknown();
    const int row = arguments.value(0).toInt();
    const int column = arguments.value(1).toInt();
    if (!CellReference::isCell(row, column))
        return AutomationReply::failed(QStringLiteral("no cell (%1, %2)").arg(row).arg(column));
    return AutomationReply::object(
        std::make_shared<ExcelRange>(sharedWorkbook(), m_sheet, row, column));
}
