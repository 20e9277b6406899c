#include "form5.h"

#include "common/window_placement.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QScreen>
#include <QVBoxLayout>

Form5::Form5(QWidget *parent) : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint), m_list(new QListWidget(this))
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Выбор главы..."));
    m_list->setObjectName(QStringLiteral("List1"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    resize(240, 260);
    connect(m_list, &QListWidget::itemClicked, this, &Form5::choose);
    connect(m_list, &QListWidget::itemActivated, this, &Form5::choose);
}

void Form5::showChapters(const QStringList &titles, const QWidget *anchor)
{
    m_list->clear();
    m_list->addItems(titles);
    QPoint pos = anchor ? anchor->mapToGlobal(QPoint(anchor->width(), 0)) : QPoint();
    const QScreen *screen = anchor && anchor->screen() ? anchor->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        const int margin = 500 / kTwipsPerPixel;
        pos.setX(std::clamp(pos.x(), area.left() + margin, std::max(area.left() + margin, area.right() - margin - width())));
        pos.setY(std::clamp(pos.y(), area.top() + margin, std::max(area.top() + margin, area.bottom() - margin - height())));
    }
    move(pos);
    show();
    raise();
    activateWindow();
    m_list->setFocus();
}

void Form5::choose(QListWidgetItem *item)
{
    if (!item)
        return;
    const int block = m_list->row(item) + 1;
    hide();
    emit chosen(block);
}
