#pragma once

#include "export/office/AutomationDispatch.h"

#include <memory>

class ExcelWorkbooks;

// "Excel.Application": the workbooks collection, the active workbook and
// Quit(). The application is never shown; "Visible" is accepted and stays
// false.
class ExcelApplication : public AutomationDispatch
{
public:
    ExcelApplication();

    QString typeName() const override { return QStringLiteral("Excel.Application"); }
    AutomationReply query(QLatin1String member, const AutomationArguments &arguments) override;
    AutomationReply call(QLatin1String member, const AutomationArguments &arguments) override;
    AutomationReply property(QLatin1String name) const override;
    AutomationReply setProperty(QLatin1String name, const QVariant &value) override;

private:
    std::shared_ptr<ExcelWorkbooks> m_workbooks;
};
