#include "export/office/OfficeServers.h"

#include "export/office/excel/ExcelApplication.h"
#include "export/office/word/WordApplication.h"

AutomationDispatchPtr OfficeServers::start(const QString &programId)
{
    if (programId == QLatin1String("Word.Application"))
        return std::make_shared<WordApplication>();
    if (programId == QLatin1String("Excel.Application"))
        return std::make_shared<ExcelApplication>();
    return nullptr;
}
