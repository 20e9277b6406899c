#include "app/ui/main_toolbar.h"

#include <QAction>
#include <QMenu>
#include <QStyle>
#include <QToolButton>

#include <cmath>

MainToolbar::MainToolbar(QWidget *parent) : QToolBar(parent)
{
    setObjectName(QStringLiteral("toolbar"));
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(32, 32));
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { emit helpMenuRequested(mapToGlobal(pos)); });

    using B = ToolbarButton;
    addButton(B::AddBook, "addBookButton", QStringLiteral("Добавить книгу в библиотеку..."),
              QStyle::SP_FileDialogNewFolder,
              {{QStringLiteral("Открыть файл"), "openFileItem"}, {QStringLiteral("Вставить текст"), "pasteTextItem"}});
    addButton(B::DeleteBook, "deleteBookButton", QStringLiteral("Удалить книгу..."), QStyle::SP_TrashIcon,
              {{QStringLiteral("Удалить книгу"), "deleteBookItem"},
               {QStringLiteral("Очистить библиотеку"), "clearLibraryItem"}});
    addButton(B::ExportBook, "exportBookButton", QStringLiteral("Экспортировать в текстовый файл"),
              QStyle::SP_DialogSaveButton);
    addSeparator();
    addButton(B::Record, "recordButton", QStringLiteral("Начать запись книги"), QStyle::SP_MediaPlay,
              {{QStringLiteral("Начать запись книги"), "recordItem"},
               {QStringLiteral("Перезагрузить словари"), "reloadDictionariesItem"}});
    addButton(B::Stop, "stopButton", QStringLiteral("Остановить запись книги"), QStyle::SP_MediaStop);
    addButton(B::ReadAloud, "readAloudButton", QStringLiteral("Читать вслух с компьютера"), QStyle::SP_MediaVolume);
    addSeparator();
    addButton(B::Options, "optionsButton", QStringLiteral("Настройки программы"), QStyle::SP_FileDialogDetailedView);
    addButton(B::Dictionaries, "dictionariesButton", QStringLiteral("Редактор словаря ударений"),
              QStyle::SP_FileDialogContentsView,
              {{QStringLiteral("Редактор словаря"), "dictionaryEditorItem"},
               {QStringLiteral("Словарный анализ (выдел. книги)"), "dictionaryAnalysisItem"},
               {QStringLiteral("Словари..."), "dictionaryListItem"}});
    addSeparator();
    addButton(B::Help, "helpButton", QStringLiteral("Справка (F1)"), QStyle::SP_MessageBoxQuestion,
              {{QStringLiteral("Справка"), "readMeItem"}, {QStringLiteral("О программе..."), "aboutItem"}});
    addSeparator();
    addButton(B::AudioFolder, "audioFolderButton", QString(), QStyle::SP_DirOpenIcon);
}

void MainToolbar::addButton(ToolbarButton which, const char *objectName, const QString &tooltip, int icon,
                            const QList<MenuItem> &menuItems)
{
    QAction *action = addAction(style()->standardIcon(static_cast<QStyle::StandardPixmap>(icon)), tooltip);
    action->setObjectName(QString::fromLatin1(objectName));
    action->setToolTip(tooltip);
    action->setWhatsThis(tooltip);
    m_buttons.insert(which, action);
    if (menuItems.isEmpty())
        return;
    auto *menu = new QMenu(this);
    QList<QAction *> items;
    for (const MenuItem &item : menuItems) {
        items.append(menu->addAction(item.caption));
        items.last()->setObjectName(QString::fromLatin1(item.objectName));
    }
    action->setMenu(menu);
    m_menuItems.insert(which, items);
    if (auto *b = qobject_cast<QToolButton *>(widgetForAction(action)))
        b->setPopupMode(QToolButton::MenuButtonPopup);
}

QAction *MainToolbar::button(ToolbarButton which) const
{
    return m_buttons.value(which);
}

QAction *MainToolbar::menuItem(ToolbarButton which, int item) const
{
    return m_menuItems.value(which).value(item - 1);
}

void MainToolbar::setButtonEnabled(ToolbarButton which, bool enabled)
{
    if (QAction *a = button(which))
        a->setEnabled(enabled);
}

void MainToolbar::setButtonsEnabled(std::initializer_list<ToolbarButton> which, bool enabled)
{
    for (ToolbarButton b : which)
        setButtonEnabled(b, enabled);
}

void MainToolbar::scaleImages(double factor)
{
    const int side = std::max(8, int(std::lround(32 * factor)));
    setIconSize(QSize(side, side));
}
