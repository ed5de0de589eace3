#include "ModalAnswerer.h"

#include <QAbstractButton>
#include <QApplication>

ModalAnswerer::ModalAnswerer(QMessageBox::StandardButton answer) : m_answer(answer)
{
    connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::answerOpenBox);
    m_timer.start(10);
}

void ModalAnswerer::answerOpenBox()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
        return;
    m_seen << box->windowTitle() + QStringLiteral(": ") + box->text();
    QAbstractButton *button = box->button(m_answer);
    if (button)
        button->click();
    else
        box->reject();
}
