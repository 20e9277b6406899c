#pragma once
// How a book of the library's list is drawn: its name as before, and under it
// in a smaller face how far its recording has come; its cover's thumbnail on
// the left where it has one. The entry's text stays the book's name, which
// everything else of the window reads.

#include <QStyledItemDelegate>

class LibraryEntryDelegate : public QStyledItemDelegate
{
public:
    // The item data holding the second line.
    static constexpr int kStateLineRole = Qt::UserRole + 1;

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
