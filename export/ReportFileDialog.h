#pragma once

#include <QFileDialog>

// The Export button's save dialog: Qt's own file dialog, whose texts follow
// the interface's language. A new name typed without a point gets the suffix
// of the selected file type from the dialog itself, before the dialog asks
// whether to replace a file, so that it asks once, about the file that will
// be written; other names are kept as typed.
class ReportFileDialog : public QFileDialog
{
    Q_OBJECT

public:
    enum Outcome_e
    {
        Chosen,
        Cancelled,
        // The dialog's event loop was ended from outside, as when the program
        // quits, with neither answer given.
        Interrupted
    };

    ReportFileDialog(const QString &caption, const QString &initialPath, const QString &filters);

    Outcome_e ask();

protected:
    void accept() override;
    void done(int result) override;

private:
    bool m_answered = false;
};
