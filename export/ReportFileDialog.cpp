#include "export/ReportFileDialog.h"

#include "export/ReportTarget.h"

ReportFileDialog::ReportFileDialog(const QString &caption, const QString &initialPath,
                                   const QString &filters)
    : QFileDialog(nullptr, caption, initialPath, filters)
{
    setAcceptMode(QFileDialog::AcceptSave);
    setOption(QFileDialog::DontUseNativeDialog);
}

ReportFileDialog::Outcome_e ReportFileDialog::ask()
{
    m_answered = false;
    const int result = exec();
    if (!m_answered)
        return Interrupted;
    return result == QDialog::Accepted ? Chosen : Cancelled;
}

// The file type may have changed since the dialog opened.
void ReportFileDialog::accept()
{
    setDefaultSuffix(ReportTarget::filterSuffix(selectedNameFilter()));
    QFileDialog::accept();
}

void ReportFileDialog::done(int result)
{
    m_answered = true;
    QFileDialog::done(result);
}
