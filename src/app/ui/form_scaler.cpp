#include "form_scaler.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

void FormScaler::record(QWidget *container)
{
    m_container = container;
    m_designSize = container->size();
    m_designs.clear();
    for (QWidget *child : container->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        m_designs.insert(child, {child->geometry(), child->font()});
}

void FormScaler::scale()
{
    if (!m_container || m_designSize.isEmpty())
        return;
    const double fx = double(m_container->width()) / m_designSize.width();
    const double fy = double(m_container->height()) / m_designSize.height();
    // Text grows with the smaller factor, within bounds that keep it legible.
    const double ff = std::clamp(std::min(fx, fy), 0.75, 2.5);
    for (auto it = m_designs.cbegin(); it != m_designs.cend(); ++it) {
        QWidget *w = it.key();
        const QRect &g = it->geometry;
        w->setGeometry(int(std::lround(g.x() * fx)), int(std::lround(g.y() * fy)),
                       std::max(1, int(std::lround(g.width() * fx))),
                       std::max(1, int(std::lround(g.height() * fy))));
        QFont font = it->font;
        if (font.pointSizeF() > 0)
            font.setPointSizeF(font.pointSizeF() * ff);
        w->setFont(font);
    }
}
