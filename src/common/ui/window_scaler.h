#pragma once

#include <QFont>
#include <QHash>
#include <QPointer>
#include <QRect>
#include <QSize>

#include <functional>

class QTimer;
class QWidget;

// Proportional scaling of a window's controls: the design geometry and font
// of every control inside `container` (frames included) are recorded once, and each scale()
// places them in proportion to the container's size against its design size.
// The book editor shares it.
class WindowScaler
{
public:
    void record(QWidget *container);
    void scale();
    bool isRecorded() const { return m_container != nullptr; }

private:
    void recordChildren(QWidget *parent);

    struct Design
    {
        QRect geometry;
        QFont font;
    };
    QPointer<QWidget> m_container;
    QSize m_designSize;
    QHash<QWidget *, Design> m_designs;
};

// Resizing sends a burst of events; the window scales once, a quarter of a
// second after the last, through this single-shot timer ("scaleTimer").
QTimer *scaleTimer(QObject *owner, std::function<void()> scale);
