#pragma once

#include <QString>

// The file that the Export button's save dialog names, and the format its
// suffix selects: .xlsx an Excel workbook, .pdf a PDF document, .docx and
// .doc the Word report. A name whose suffix selects no format takes the
// suffix of the filter selected in the dialog (.docx when there is none).
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
    // True when the dialog's name got the filter's suffix, so that the dialog
    // has not asked about replacing the file of that name.
    bool suffixAdded() const { return m_suffixAdded; }

private:
    static bool formatOfSuffix(const QString &suffix, Format_e *format);

    QString m_path;
    Format_e m_format = WordReport;
    bool m_suffixAdded = false;
};
