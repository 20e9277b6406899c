#include "common/ui/window_placement_ui.h"

#include "common/window_placement.h"

#include <QWidget>

#include <cmath>

namespace {

int pixels(double twips)
{
    return int(std::lround(twips / kTwipsPerPixel));
}

} // namespace

void applyWindowPlacement(QWidget *window, const QString &placement)
{
    const auto p = parsePlacement(placement);
    if (!p)
        return;
    QRect g = window->geometry();
    if (p->left)
        g.moveLeft(pixels(*p->left));
    if (p->top)
        g.moveTop(pixels(*p->top));
    if (p->width && *p->width > 0)
        g.setWidth(pixels(*p->width));
    if (p->height && *p->height > 0)
        g.setHeight(pixels(*p->height));
    window->setGeometry(g);
    if (p->state == 1)
        window->setWindowState(Qt::WindowMinimized);
    else if (p->state == 2)
        window->setWindowState(Qt::WindowMaximized);
}

QString windowPlacement(const QWidget *window)
{
    const QRect g = window->isMaximized() || window->isMinimized() ? window->normalGeometry() : window->geometry();
    const int state = window->isMinimized() ? 1 : window->isMaximized() ? 2 : 0;
    const QRect r = g.isValid() ? g : window->geometry();
    return placementString(r.x() * kTwipsPerPixel, r.y() * kTwipsPerPixel, r.width() * kTwipsPerPixel,
                           r.height() * kTwipsPerPixel, state);
}
