#include "common/ui/window_scaler.h"

#include <QTimer>

#include <QFrame>
#include <QGroupBox>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

// Frames and group boxes hold controls of their own that scale with them;
// the inner parts of lists, combo boxes and the like are laid out by the
// controls themselves.
bool holdsControls(const QWidget *w)
{
    const QMetaObject *meta = w->metaObject();
    return meta == &QWidget::staticMetaObject || meta == &QFrame::staticMetaObject
           || meta == &QGroupBox::staticMetaObject;
}

} // namespace

void WindowScaler::record(QWidget *container)
{
    m_container = container;
    m_designSize = container->size();
    m_designs.clear();
    recordChildren(container);
}

void WindowScaler::recordChildren(QWidget *parent)
{
    for (QWidget *child : parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow())
            continue;
        m_designs.insert(child, {child->geometry(), child->font()});
        if (holdsControls(child))
            recordChildren(child);
    }
}

void WindowScaler::scale()
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
                       std::max(1, int(std::lround(g.width() * fx))), std::max(1, int(std::lround(g.height() * fy))));
        QFont font = it->font;
        if (font.pointSizeF() > 0)
            font.setPointSizeF(font.pointSizeF() * ff);
        w->setFont(font);
    }
}

QTimer *scaleTimer(QObject *owner, std::function<void()> scale)
{
    auto *timer = new QTimer(owner);
    timer->setObjectName(QStringLiteral("scaleTimer"));
    timer->setSingleShot(true);
    timer->setInterval(250);
    QObject::connect(timer, &QTimer::timeout, owner, std::move(scale));
    return timer;
}
