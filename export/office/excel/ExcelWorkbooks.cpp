#include "export/office/excel/ExcelWorkbooks.h"

#include "export/office/excel/ExcelWorkbook.h"
#include "export/office/ooxml/XlsxWorkbook.h"

#include <algorithm>

AutomationReply ExcelWorkbooks::query(QLatin1String member, const AutomationArguments &arguments)
{
    if (member == QLatin1String("Open (const QString&)"))
        return open(arguments.value(0).toString());
    return AutomationReply::unknown();
}

AutomationReply ExcelWorkbooks::active() const
{
    const auto last = std::find_if(m_open.crbegin(), m_open.crend(),
                                   [](const auto &workbook) { return workbook->isOpen(); });
    if (last == m_open.crend())
        return AutomationReply::failed(QStringLiteral("no workbook is open"));
    return AutomationReply::object(std::make_shared<ExcelWorkbook>(*last));
}

void ExcelWorkbooks::closeAll()
{
    for (const auto &workbook : qAsConst(m_open))
        workbook->close();
    m_open.clear();
}

AutomationReply ExcelWorkbooks::open(const QString &path)
{
    QString error;
    std::shared_ptr<XlsxWorkbook> workbook = XlsxWorkbook::open(path, &error);
    if (!workbook)
        return AutomationReply::failed(error);
    m_open.erase(std::remove_if(m_open.begin(), m_open.end(),
                                [](const auto &openWorkbook) { return !openWorkbook->isOpen(); }),
                 m_open.end());
    m_open.append(workbook);
    return AutomationReply::object(std::make_shared<ExcelWorkbook>(workbook));
}
