#include "dictionaries/ui/right_click_button.h"

#include <QMouseEvent>

void RightClickButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton && rect().contains(event->position().toPoint())) {
        emit rightClicked();
        return;
    }
    QPushButton::mouseReleaseEvent(event);
}
