#include "export/office/excel/ExcelRange.h"

#include "export/office/ooxml/XlsxWorkbook.h"

ExcelRange::ExcelRange(std::shared_ptr<XlsxWorkbook> workbook, XlsxSheet *sheet, int row,
                       int column)
    : ExcelObject(std::move(workbook)), m_sheet(sheet), m_row(row), m_column(column)
{}

AutomationReply ExcelRange::call(QLatin1String member, const AutomationArguments &arguments)
{
    if (member != QLatin1String("SetValue(const QString&)"))
        return AutomationReply::unknown();
    workbook().setCellText(*m_sheet, m_row, m_column, arguments.value(0).toString());
    return AutomationReply::done();
}

AutomationReply ExcelRange::property(QLatin1String name) const
{
    if (name == QLatin1String("Value"))
        return AutomationReply::done(workbook().cellText(*m_sheet, m_row, m_column));
    return AutomationReply::unknown();
}
