#pragma once

#include "export/office/AutomationDispatch.h"

#include <QList>

#include <memory>

class XlsxWorkbook;

// "WorkBooks": opens .xlsx files; the workbook opened last is the active
// one. Keeps the open workbooks so that quitting closes them.
class ExcelWorkbooks : public AutomationDispatch
{
public:
    QString typeName() const override { return QStringLiteral("Excel.Workbooks"); }
    AutomationReply query(QLatin1String member, const AutomationArguments &arguments) override;

    AutomationReply active() const;
    // Closes every open workbook without saving it.
    void closeAll();

private:
    AutomationReply open(const QString &path);

    QList<std::shared_ptr<XlsxWorkbook>> m_open;
};
