#pragma once

#include "export/office/excel/ExcelObject.h"

class XlsxSheet;

// "Range" of one cell: "Value" read as text, SetValue writes text.
class ExcelRange : public ExcelObject
{
public:
    ExcelRange(std::shared_ptr<XlsxWorkbook> workbook, XlsxSheet *sheet, int row, int column);

    QString typeName() const override { return QStringLiteral("Excel.Range"); }
    AutomationReply call(QLatin1String member, const AutomationArguments &arguments) override;
    AutomationReply property(QLatin1String name) const override;

private:
    XlsxSheet *m_sheet;
    int m_row;
    int m_column;
};
