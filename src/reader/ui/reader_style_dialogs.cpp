#include "reader/ui/reader_style_dialogs.h"

#include <QColorDialog>
#include <QFontDialog>

std::optional<QFont> PlatformStyleDialogs::chooseFont(QWidget *parent, const QFont &current)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, current, parent, QStringLiteral("Шрифт"));
    return ok ? std::optional<QFont>(font) : std::nullopt;
}

std::optional<QColor> PlatformStyleDialogs::chooseColour(QWidget *parent, const QColor &current, const QString &title)
{
    const QColor colour = QColorDialog::getColor(current, parent, title);
    return colour.isValid() ? std::optional<QColor>(colour) : std::nullopt;
}
