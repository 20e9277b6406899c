#include "common/window_placement.h"

#include "common/ini_file.h"

#include <QStringList>

QString placementString(double left, double top, double width, double height, int state)
{
    return QStringList{iniNumberText(left), iniNumberText(top), iniNumberText(width), iniNumberText(height),
                       QString::number(state)}
        .join(u';');
}

std::optional<WindowPlacement> parsePlacement(const QString &text)
{
    const QStringList fields = text.split(u';');
    if (fields.size() < 5)
        return std::nullopt;
    auto number = [&](int i) -> std::optional<double> {
        bool ok = false;
        QString f = fields[i].trimmed();
        f.replace(u',', u'.');
        const double v = f.toDouble(&ok);
        return ok ? std::optional<double>(v) : std::nullopt;
    };
    WindowPlacement p;
    p.left = number(0);
    p.top = number(1);
    p.width = number(2);
    p.height = number(3);
    if (auto s = number(4))
        p.state = static_cast<int>(*s);
    return p;
}

ScreenRect keepOnScreen(ScreenRect w, double screenWidth, double screenHeight)
{
    if (w.width > screenWidth) {
        w.left = 0;
        w.width = screenWidth;
    }
    if (w.height > screenHeight) {
        w.top = 0;
        w.height = 0.8 * screenHeight;
    }
    if (w.left + w.width < 100)
        w.left = 0;
    if (w.top + w.height < 100)
        w.top = 0;
    if (w.left > screenWidth)
        w.left = screenWidth - w.width;
    if (w.top > screenHeight)
        w.top = 0.8 * screenHeight - w.height;
    return w;
}
