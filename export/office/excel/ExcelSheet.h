#pragma once

#include "export/office/excel/ExcelObject.h"

class XlsxSheet;

// "Worksheet": Cells(int,int) gives the cell at a row and column from 1.
class ExcelSheet : public ExcelObject
{
public:
    ExcelSheet(std::shared_ptr<XlsxWorkbook> workbook, XlsxSheet *sheet);

    QString typeName() const override { return QStringLiteral("Excel.Worksheet"); }
    AutomationReply query(QLatin1String member, const AutomationArguments &arguments) override;

private:
    XlsxSheet *m_sheet;
};
