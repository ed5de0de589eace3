#include "export/office/excel/ExcelApplication.h"

#include "export/office/excel/ExcelWorkbooks.h"

ExcelApplication::ExcelApplication() : m_workbooks(std::make_shared<ExcelWorkbooks>()) {}

AutomationReply ExcelApplication::query(QLatin1String member, const AutomationArguments &)
{
    if (member == QLatin1String("WorkBooks"))
        return AutomationReply::object(m_workbooks);
    if (member == QLatin1String("ActiveWorkBook"))
        return m_workbooks->active();
    return AutomationReply::unknown();
}

AutomationReply ExcelApplication::call(QLatin1String member, const AutomationArguments &)
{
    if (member == QLatin1String("Quit()")) {
        m_workbooks->closeAll();
        return AutomationReply::done();
    }
    return AutomationReply::unknown();
}

AutomationReply ExcelApplication::property(QLatin1String name) const
{
    if (name == QLatin1String("Visible"))
        return AutomationReply::done(false);
    return AutomationReply::unknown();
}

AutomationReply ExcelApplication::setProperty(QLatin1String name, const QVariant &)
{
    if (name == QLatin1String("Visible"))
        return AutomationReply::done();
    return AutomationReply::unknown();
}
