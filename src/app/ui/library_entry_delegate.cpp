#include "app/ui/library_entry_delegate.h"

#include <QApplication>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kMargin = 2;

QFont smallerFont(const QFont &font)
{
    QFont smaller = font;
    smaller.setPointSizeF(std::max(6.0, font.pointSizeF() - 1));
    return smaller;
}

} // namespace

QSize LibraryEntryDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QFontMetrics name(option.font);
    const QFontMetrics line(smallerFont(option.font));
    const int height = name.height() + line.height() + 2 * kMargin;
    const int width = std::max(name.horizontalAdvance(index.data().toString()),
                               line.horizontalAdvance(index.data(kStateLineRole).toString()));
    return {width + height + 2 * kMargin, height};
}

void LibraryEntryDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString name = opt.text;
    const QIcon cover = opt.icon;
    opt.text.clear();
    opt.icon = QIcon();
    QStyle *style = opt.widget ? opt.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

    QRect area = opt.rect.adjusted(kMargin, kMargin, -kMargin, -kMargin);
    painter->save();
    if (!cover.isNull()) {
        const QSize room(area.height() * 3 / 4, area.height());
        const QPixmap picture = cover.pixmap(room);
        const QRect place(area.topLeft(), room);
        painter->drawPixmap(
            QRect(QPoint(), picture.size().scaled(room, Qt::KeepAspectRatio)).translated(place.topLeft()), picture);
        area.setLeft(area.left() + room.width() + kMargin * 2);
    }
    const bool selected = opt.state.testFlag(QStyle::State_Selected);
    const QPalette::ColorGroup group =
        opt.state.testFlag(QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
    painter->setPen(opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    const QFontMetrics nameMetrics(opt.font);
    painter->setFont(opt.font);
    painter->drawText(QRect(area.left(), area.top(), area.width(), nameMetrics.height()),
                      Qt::AlignLeft | Qt::AlignVCenter, nameMetrics.elidedText(name, Qt::ElideRight, area.width()));
    const QFont lineFont = smallerFont(opt.font);
    const QFontMetrics lineMetrics(lineFont);
    painter->setFont(lineFont);
    if (!selected)
        painter->setPen(opt.palette.color(group, QPalette::PlaceholderText));
    painter->drawText(QRect(area.left(), area.top() + nameMetrics.height(), area.width(), lineMetrics.height()),
                      Qt::AlignLeft | Qt::AlignVCenter,
                      lineMetrics.elidedText(index.data(kStateLineRole).toString(), Qt::ElideRight, area.width()));
    painter->restore();
}
