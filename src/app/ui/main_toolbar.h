#pragma once

#include <QHash>
#include <QToolBar>

class QAction;
class QMenu;

// The main window's toolbar `Toolbar1`: buttons at positions 1 to 14
// (4, 8, 11 and 13 are separators), some with drop-down menus. Button N is
// the action "Toolbar1ButtonN", item K of its menu "Toolbar1ButtonNItemK".
class MainToolbar : public QToolBar
{
    Q_OBJECT
public:
    explicit MainToolbar(QWidget *parent = nullptr);

    QAction *button(int position) const;
    QAction *menuItem(int position, int item) const;

    void setButtonEnabled(int position, bool enabled);
    // Images of 32 x factor pixels, the same pictures.
    void scaleImages(double factor);

signals:
    // Right click on the toolbar: the "Что это такое?" menu.
    void helpMenuRequested(const QPoint &globalPos);

private:
    void addButton(int position, const QString &tooltip, int icon, const QStringList &menuItems = {});

    QHash<int, QAction *> m_buttons;
    QHash<int, QMenu *> m_menus;
};
