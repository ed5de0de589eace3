#include "device/ClickedComboBox.h"

#include <QMouseEvent>

ClickedComboBox::ClickedComboBox(QWidget *parent) : QComboBox(parent) {}

void ClickedComboBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked(true);
    QComboBox::mousePressEvent(event);
}
