#pragma once

#include "export/office/excel/ExcelObject.h"

// "Sheets": the sheets of a workbook in tab order; Item(int) counts from 1.
class ExcelSheets : public ExcelObject
{
public:
    using ExcelObject::ExcelObject;

    QString typeName() const override { return QStringLiteral("Excel.Sheets"); }
    AutomationReply query(QLatin1String member, const AutomationArguments &arguments) override;
};
