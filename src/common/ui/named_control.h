#pragma once
// Controls are found by their object names (tests, placement, scaling); a
// tooltip doubles as the control's "What's this" help text.

#include <QString>

template <typename W> W *named(W *widget, const char *name, const QString &tooltip = {})
{
    widget->setObjectName(QString::fromLatin1(name));
    if (!tooltip.isEmpty()) {
        widget->setToolTip(tooltip);
        widget->setWhatsThis(tooltip);
    }
    return widget;
}
