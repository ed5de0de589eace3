#include "export/ReportFileDialog.h"

#include "export/ReportTarget.h"

ReportFileDialog::ReportFileDialog(const QString &caption, const QString &initialPath,
                                   const QString &filters)
    : QFileDialog(nullptr, caption, initialPath, filters)
{
    setAcceptMode(QFileDialog::AcceptSave);
    setOption(QFileDialog::DontUseNativeDialog);
}

// The file type may have changed since the dialog opened.
void ReportFileDialog::accept()
{
    setDefaultSuffix(ReportTarget::filterSuffix(selectedNameFilter()));
    QFileDialog::accept();
}
