#pragma once

#include <QHash>
#include <QStringList>
#include <QToolBar>

class QAction;
class QMenu;

// The buttons of the main window's toolbar by their place on it; the gaps
// (4, 8, 11, 13) are separators, so a stored or reported position keeps
// meaning what it always meant.
enum class ToolbarButton {
    AddBook = 1,
    DeleteBook = 2,
    ExportBook = 3,
    Record = 5,
    Stop = 6,
    ReadAloud = 7,
    Options = 9,
    Dictionaries = 10,
    Help = 12,
    AudioFolder = 14,
};

// The main window's toolbar, some buttons with drop-down menus. Each button
// and menu item has a role objectName ("recordButton", "pasteTextItem").
class MainToolbar : public QToolBar
{
    Q_OBJECT
public:
    explicit MainToolbar(QWidget *parent = nullptr);

    QAction *button(ToolbarButton which) const;
    // Item `item` (1-based) of the button's drop-down menu.
    QAction *menuItem(ToolbarButton which, int item) const;

    void setButtonEnabled(ToolbarButton which, bool enabled);
    void setButtonsEnabled(std::initializer_list<ToolbarButton> which, bool enabled);
    // Images of 32 x factor pixels, the same pictures.
    void scaleImages(double factor);

signals:
    // Right click on the toolbar: the "Что это такое?" menu.
    void helpMenuRequested(const QPoint &globalPos);

private:
    struct MenuItem
    {
        QString caption;
        const char *objectName;
    };
    void addButton(ToolbarButton which, const char *objectName, const QString &tooltip, int icon,
                   const QList<MenuItem> &menuItems = {});

    QHash<ToolbarButton, QAction *> m_buttons;
    QHash<ToolbarButton, QList<QAction *>> m_menuItems;
};
