#pragma once

#include <QPushButton>

// A button that also answers a right click (the editor's buttons do one
// thing on the left click and a variant of it on the right).
class RightClickButton : public QPushButton
{
    Q_OBJECT
public:
    using QPushButton::QPushButton;

signals:
    void rightClicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
