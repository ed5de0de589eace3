#pragma once

#include "export/office/AutomationDispatch.h"

#include <memory>

class XlsxWorkbook;

// Base of the objects that belong to one open workbook: they can no longer
// be used once the workbook has been closed.
class ExcelObject : public AutomationDispatch
{
public:
    explicit ExcelObject(std::shared_ptr<XlsxWorkbook> workbook);

    bool isAvailable(QString *reason) const override;

protected:
    XlsxWorkbook &workbook() const { return *m_workbook; }
    const std::shared_ptr<XlsxWorkbook> &sharedWorkbook() const { return m_workbook; }

private:
    std::shared_ptr<XlsxWorkbook> m_workbook;
};
