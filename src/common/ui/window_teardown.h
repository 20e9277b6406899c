#pragma once

#include <QObject>

// A window's controls outlive the window's own part while it is destroyed;
// a focus change then (the editingFinished of a field being validated) must
// not reach it. A window with such handlers calls this in its destructor.
inline void disconnectChildrenFrom(QObject *window)
{
    for (QObject *child : window->findChildren<QObject *>())
        QObject::disconnect(child, nullptr, window, nullptr);
}
