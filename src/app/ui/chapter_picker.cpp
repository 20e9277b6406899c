#include "app/ui/chapter_picker.h"

#include "common/window_placement.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QScreen>
#include <QVBoxLayout>

ChapterPicker::ChapterPicker(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint), m_chapterList(new QListWidget(this))
{
    setObjectName(QStringLiteral("ChapterPicker"));
    setWindowTitle(QStringLiteral("Выбор главы..."));
    m_chapterList->setObjectName(QStringLiteral("chapterList"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_chapterList);
    resize(240, 260);
    connect(m_chapterList, &QListWidget::itemClicked, this, &ChapterPicker::choose);
    connect(m_chapterList, &QListWidget::itemActivated, this, &ChapterPicker::choose);
}

void ChapterPicker::showChapters(const QStringList &titles, const QWidget *anchor)
{
    m_chapterList->clear();
    m_chapterList->addItems(titles);
    QPoint pos = anchor ? anchor->mapToGlobal(QPoint(anchor->width(), 0)) : QPoint();
    const QScreen *screen = anchor && anchor->screen() ? anchor->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        const int margin = 500 / kTwipsPerPixel;
        pos.setX(
            std::clamp(pos.x(), area.left() + margin, std::max(area.left() + margin, area.right() - margin - width())));
        pos.setY(
            std::clamp(pos.y(), area.top() + margin, std::max(area.top() + margin, area.bottom() - margin - height())));
    }
    move(pos);
    show();
    raise();
    activateWindow();
    m_chapterList->setFocus();
}

void ChapterPicker::choose(QListWidgetItem *item)
{
    if (!item)
        return;
    const int block = m_chapterList->row(item) + 1;
    hide();
    emit chosen(block);
}
