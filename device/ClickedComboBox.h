#pragma once

#include <QComboBox>

// Combo box that reports a left-button press before its list drops down, so
// that the port list can be refreshed first.
class ClickedComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit ClickedComboBox(QWidget *parent = nullptr);

signals:
    void clicked(bool checked);

protected:
    void mousePressEvent(QMouseEvent *event) override;
};
