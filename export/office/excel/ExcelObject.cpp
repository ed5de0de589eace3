#include "export/office/excel/ExcelObject.h"

#include "export/office/ooxml/XlsxWorkbook.h"

ExcelObject::ExcelObject(std::shared_ptr<XlsxWorkbook> workbook) : m_workbook(std::move(workbook))
{}

bool ExcelObject::isAvailable(QString *reason) const
{
    if (m_workbook->isOpen())
        return true;
    *reason = QStringLiteral("the workbook has been closed");
    return false;
}
