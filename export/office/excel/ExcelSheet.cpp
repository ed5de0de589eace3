#include "export/office/excel/ExcelSheet.h"

#include "export/office/excel/ExcelRange.h"

namespace {
// The size of a worksheet.
constexpr int rowLimit = 1048576;
constexpr int columnLimit = 16384;
} // namespace

ExcelSheet::ExcelSheet(std::shared_ptr<XlsxWorkbook> workbook, XlsxSheet *sheet)
    : ExcelObject(std::move(workbook)), m_sheet(sheet)
{}

AutomationReply ExcelSheet::query(QLatin1String member, const AutomationArguments &arguments)
{
    if (member != QLatin1String("Cells(int,int)"))
        return AutomationReply::unknown();
    const int row = arguments.value(0).toInt();
    const int column = arguments.value(1).toInt();
    if (row < 1 || row > rowLimit || column < 1 || column > columnLimit)
        return AutomationReply::failed(QStringLiteral("no cell (%1, %2)").arg(row).arg(column));
    return AutomationReply::object(
        std::make_shared<ExcelRange>(sharedWorkbook(), m_sheet, row, column));
}
