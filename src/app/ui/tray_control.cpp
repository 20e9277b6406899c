#include "tray_control.h"

#include <QApplication>
#include <QMenu>
#include <QStyle>
#include <QSystemTrayIcon>

TrayControl::TrayControl(QObject *parent)
    : QObject(parent), m_icon(new QSystemTrayIcon(this)), m_menu(new QMenu(QStringLiteral("Lectorium")))
{
    m_icon->setObjectName(QStringLiteral("Tray1"));
    m_menu->setObjectName(QStringLiteral("Traym"));
    m_icon->setIcon(QApplication::style()->standardIcon(QStyle::SP_MediaVolume));
    QAction *restore = m_menu->addAction(QStringLiteral("Восстановить"));
    restore->setObjectName(QStringLiteral("TrayRe"));
    QFont bold = restore->font();
    bold.setBold(true);
    restore->setFont(bold);
    m_menu->setDefaultAction(restore);
    QAction *exit = m_menu->addAction(QStringLiteral("Выход"));
    exit->setObjectName(QStringLiteral("TrayEx"));
    connect(restore, &QAction::triggered, this, &TrayControl::restoreRequested);
    connect(exit, &QAction::triggered, this, &TrayControl::exitRequested);
    m_icon->setContextMenu(m_menu);
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
            emit clicked();
    });
}

TrayControl::~TrayControl()
{
    delete m_menu;
}

void TrayControl::showIcon(const QString &tooltip)
{
    m_icon->setToolTip(tooltip);
    m_icon->show();
}

void TrayControl::removeIcon()
{
    m_icon->hide();
}

void TrayControl::setToolTip(const QString &tooltip)
{
    m_icon->setToolTip(tooltip);
}

bool TrayControl::isShown() const
{
    return m_icon->isVisible();
}
