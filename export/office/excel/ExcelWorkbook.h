#pragma once

#include "export/office/excel/ExcelObject.h"

// "Workbook": its sheets, saving and closing. Closing never asks: changes
// not saved are dropped.
class ExcelWorkbook : public ExcelObject
{
public:
    using ExcelObject::ExcelObject;

    QString typeName() const override { return QStringLiteral("Excel.Workbook"); }
    AutomationReply query(QLatin1String member, const AutomationArguments &arguments) override;
    AutomationReply call(QLatin1String member, const AutomationArguments &arguments) override;

private:
    AutomationReply save();
    AutomationReply close(bool saveChanges);
};
