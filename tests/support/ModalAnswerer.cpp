#include "ModalAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>

ModalAnswerer::ModalAnswerer(QMessageBox::StandardButton answer, int intervalMs) : m_answer(answer)
{
    connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::answerOpenDialog);
    m_timer.start(intervalMs);
}

void ModalAnswerer::answerOpenDialog()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    emit answering(modal);
    if (auto *box = qobject_cast<QMessageBox *>(modal))
        answerBox(box);
    else if (auto *dialog = qobject_cast<QFileDialog *>(modal); dialog && !m_leaveFileDialogs)
        answerFileDialog(dialog);
}

void ModalAnswerer::answerBox(QMessageBox *box)
{
    if (box != m_openBox) {
        m_openBox = box;
        m_openFor.start();
    }
    if (m_openFor.elapsed() < m_answerDelayMs)
        return;
    m_seen << box->windowTitle() + QStringLiteral(": ") + box->text();
    QAbstractButton *button = box->button(m_answer);
    if (button)
        button->click();
    else
        box->reject();
}

// The file name is typed, as the dialog takes a typed name over a selected
// one. Accepting is queued: it may ask whether to replace the file, and that
// box is answered by a later tick of the timer.
void ModalAnswerer::answerFileDialog(QFileDialog *dialog)
{
    m_fileDialogs << dialog->nameFilters().join(QStringLiteral(";;"));
    if (!m_filter.isEmpty())
        dialog->selectNameFilter(m_filter);
    if (auto *fileName = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
        fileName->setText(m_savePath);
    QTimer::singleShot(0, dialog, m_savePath.isEmpty() ? &QDialog::reject : &QDialog::accept);
}
