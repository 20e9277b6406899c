#include "main_toolbar.h"

#include <QAction>
#include <QMenu>
#include <QStyle>
#include <QToolButton>

#include <cmath>

MainToolbar::MainToolbar(QWidget *parent) : QToolBar(parent)
{
    setObjectName(QStringLiteral("Toolbar1"));
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(32, 32));
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { emit helpMenuRequested(mapToGlobal(pos)); });

    addButton(1, QStringLiteral("Добавить книгу в библиотеку..."), QStyle::SP_FileDialogNewFolder,
              {QStringLiteral("Открыть файл"), QStringLiteral("Вставить текст")});
    addButton(2, QStringLiteral("Удалить книгу..."), QStyle::SP_TrashIcon,
              {QStringLiteral("Удалить книгу"), QStringLiteral("Очистить библиотеку")});
    addButton(3, QStringLiteral("Экспортировать в текстовый файл"), QStyle::SP_DialogSaveButton);
    addSeparator();
    addButton(5, QStringLiteral("Начать запись книги"), QStyle::SP_MediaPlay,
              {QStringLiteral("Начать запись книги"), QStringLiteral("Перезагрузить словари")});
    addButton(6, QStringLiteral("Остановить запись книги"), QStyle::SP_MediaStop);
    addButton(7, QStringLiteral("Чтиать вслух с компьютера"), QStyle::SP_MediaVolume);
    addSeparator();
    addButton(9, QStringLiteral("Настройки программы"), QStyle::SP_FileDialogDetailedView);
    addButton(10, QStringLiteral("Редактор словаря ударений"), QStyle::SP_FileDialogContentsView,
              {QStringLiteral("Редактор словаря"), QStringLiteral("Словарный анализ (выдел. книги)"),
               QStringLiteral("Словари...")});
    addSeparator();
    addButton(12, QStringLiteral("Показать ReadMe"), QStyle::SP_MessageBoxQuestion,
              {QStringLiteral("ReadMe"), QStringLiteral("О программе...")});
    addSeparator();
    addButton(14, QString(), QStyle::SP_DirOpenIcon);
}

void MainToolbar::addButton(int position, const QString &tooltip, int icon, const QStringList &menuItems)
{
    QAction *action = addAction(style()->standardIcon(static_cast<QStyle::StandardPixmap>(icon)), tooltip);
    action->setObjectName(QStringLiteral("Toolbar1Button%1").arg(position));
    action->setToolTip(tooltip);
    action->setWhatsThis(tooltip);
    m_buttons.insert(position, action);
    if (menuItems.isEmpty())
        return;
    auto *menu = new QMenu(this);
    for (int i = 0; i < menuItems.size(); ++i)
        menu->addAction(menuItems[i])->setObjectName(
            QStringLiteral("Toolbar1Button%1Item%2").arg(position).arg(i + 1));
    action->setMenu(menu);
    m_menus.insert(position, menu);
    if (auto *b = qobject_cast<QToolButton *>(widgetForAction(action)))
        b->setPopupMode(QToolButton::MenuButtonPopup);
}

QAction *MainToolbar::button(int position) const
{
    return m_buttons.value(position);
}

QAction *MainToolbar::menuItem(int position, int item) const
{
    QMenu *menu = m_menus.value(position);
    return menu ? menu->findChild<QAction *>(QStringLiteral("Toolbar1Button%1Item%2").arg(position).arg(item))
                : nullptr;
}

void MainToolbar::setButtonEnabled(int position, bool enabled)
{
    if (QAction *a = button(position))
        a->setEnabled(enabled);
}

void MainToolbar::scaleImages(double factor)
{
    const int side = std::max(8, int(std::lround(32 * factor)));
    setIconSize(QSize(side, side));
}
