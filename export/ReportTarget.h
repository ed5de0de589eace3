#pragma once

#include <QString>

// The file that the Export button's save dialog names, and the format its
// suffix selects: .xlsx an Excel workbook, .pdf a PDF document, .docx and
// .doc the Word report. A name whose suffix selects no format is written as
// named, in the format of the filter selected in the dialog (the Word report
// when there is none).
class ReportTarget
{
public:
    enum Format_e
    {
        WordReport,
        ExcelWorkbook,
        PdfDocument
    };

    ReportTarget() = default;
    ReportTarget(const QString &chosenName, const QString &selectedFilter);

    QString path() const { return m_path; }
    Format_e format() const { return m_format; }

    // The suffix of a filter such as "Excel files(*.xlsx)", whatever its
    // language; "docx" for a filter without one.
    static QString filterSuffix(const QString &filter);

private:
    static bool formatOfSuffix(const QString &suffix, Format_e *format);

    QString m_path;
    Format_e m_format = WordReport;
};
