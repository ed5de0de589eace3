#pragma once

#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTimer>

// Answers the message boxes that the program shows while a test drives it,
// and remembers their texts, so that nothing waits for a person.
class ModalAnswerer : public QObject
{
    Q_OBJECT

public:
    explicit ModalAnswerer(QMessageBox::StandardButton answer = QMessageBox::Ok);

    void setAnswer(QMessageBox::StandardButton answer) { m_answer = answer; }
    // "title: text" of every box answered so far.
    QStringList seen() const { return m_seen; }
    void clear() { m_seen.clear(); }

private:
    void answerOpenBox();

    QMessageBox::StandardButton m_answer;
    QStringList m_seen;
    QTimer m_timer;
};
