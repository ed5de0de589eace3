#pragma once

#include <QElapsedTimer>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

class QFileDialog;

// Answers the message boxes and file dialogs that the program shows while a
// test drives it, and remembers the texts of the boxes, so that nothing
// waits for a person.
class ModalAnswerer : public QObject
{
    Q_OBJECT

public:
    // Looks for an open box or dialog every intervalMs.
    explicit ModalAnswerer(QMessageBox::StandardButton answer = QMessageBox::Ok,
                           int intervalMs = 10);

    void setAnswer(QMessageBox::StandardButton answer) { m_answer = answer; }
    // A box is answered only once it has been open this long, as a person
    // who walked away would.
    void setAnswerDelay(int milliseconds) { m_answerDelayMs = milliseconds; }
    // A file dialog gets this path as its file name and is accepted; with an
    // empty path, the default, it is cancelled.
    void setSaveFileAnswer(const QString &path) { m_savePath = path; }
    // File dialogs left open, as a person who walked away would.
    void leaveFileDialogsOpen() { m_leaveFileDialogs = true; }
    // The filter that a file dialog gets selected before it is answered;
    // empty, the default, leaves the dialog's own choice.
    void setFilterAnswer(const QString &filter) { m_filter = filter; }
    // The filters of every file dialog answered so far, joined by ";;".
    QStringList fileDialogs() const { return m_fileDialogs; }
    // "title: text" of every box answered so far.
    QStringList seen() const { return m_seen; }
    void clear()
    {
        m_seen.clear();
        m_fileDialogs.clear();
    }

signals:
    // A box or file dialog is about to be answered.
    void answering(QWidget *modal);

private:
    void answerOpenDialog();
    void answerBox(QMessageBox *box);
    void answerFileDialog(QFileDialog *dialog);

    QMessageBox::StandardButton m_answer;
    int m_answerDelayMs = 0;
    QPointer<QMessageBox> m_openBox;
    QElapsedTimer m_openFor;
    QString m_savePath;
    QString m_filter;
    bool m_leaveFileDialogs = false;
    QStringList m_seen;
    QStringList m_fileDialogs;
    QTimer m_timer;
};
