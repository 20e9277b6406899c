#include "app/ui/tray_control.h"

#include <QApplication>
#include <QMenu>
#include <QStyle>
#include <QSystemTrayIcon>

TrayControl::TrayControl(QObject *parent)
    : QObject(parent), m_trayIcon(new QSystemTrayIcon(this)), m_trayMenu(new QMenu(QStringLiteral("Lectorium")))
{
    m_trayIcon->setObjectName(QStringLiteral("trayIcon"));
    m_trayMenu->setObjectName(QStringLiteral("trayMenu"));
    m_trayIcon->setIcon(QApplication::style()->standardIcon(QStyle::SP_MediaVolume));
    QAction *restore = m_trayMenu->addAction(QStringLiteral("Восстановить"));
    restore->setObjectName(QStringLiteral("restoreAction"));
    QFont bold = restore->font();
    bold.setBold(true);
    restore->setFont(bold);
    m_trayMenu->setDefaultAction(restore);
    QAction *exit = m_trayMenu->addAction(QStringLiteral("Выход"));
    exit->setObjectName(QStringLiteral("exitAction"));
    connect(restore, &QAction::triggered, this, &TrayControl::restoreRequested);
    connect(exit, &QAction::triggered, this, &TrayControl::exitRequested);
    m_trayIcon->setContextMenu(m_trayMenu);
    connect(m_trayIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
            emit clicked();
    });
}

TrayControl::~TrayControl()
{
    delete m_trayMenu;
}

void TrayControl::showIcon(const QString &tooltip)
{
    m_trayIcon->setToolTip(tooltip);
    m_trayIcon->show();
}

void TrayControl::removeIcon()
{
    m_trayIcon->hide();
}

void TrayControl::setToolTip(const QString &tooltip)
{
    m_trayIcon->setToolTip(tooltip);
}

bool TrayControl::isShown() const
{
    return m_trayIcon->isVisible();
}
