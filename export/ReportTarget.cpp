#include "export/ReportTarget.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {
const QString wordSuffix = QStringLiteral("docx");
} // namespace

ReportTarget::ReportTarget(const QString &chosenName, const QString &selectedFilter)
    : m_path(chosenName)
{
    if (!formatOfSuffix(QFileInfo(chosenName).suffix(), &m_format))
        formatOfSuffix(filterSuffix(selectedFilter), &m_format);
}

QString ReportTarget::filterSuffix(const QString &filter)
{
    static const QRegularExpression pattern(QStringLiteral("\\(\\*\\.(\\w+)\\)"));
    const QString suffix = pattern.match(filter).captured(1);
    return suffix.isEmpty() ? wordSuffix : suffix;
}

// Leaves the format as it is for a suffix that selects none.
bool ReportTarget::formatOfSuffix(const QString &suffix, Format_e *format)
{
    const QString lower = suffix.toLower();
    if (lower == QLatin1String("xlsx"))
        *format = ExcelWorkbook;
    else if (lower == QLatin1String("pdf"))
        *format = PdfDocument;
    else if (lower == wordSuffix || lower == QLatin1String("doc"))
        *format = WordReport;
    else
        return false;
    return true;
}
