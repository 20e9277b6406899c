#pragma once

#include <QObject>

class QMenu;
class QSystemTrayIcon;

// The notification-area icon `Tray1` with its menu `Traym`
// ("Восстановить" as the default item, "Выход").
class TrayControl : public QObject
{
    Q_OBJECT
public:
    explicit TrayControl(QObject *parent = nullptr);
    ~TrayControl() override;

    void showIcon(const QString &tooltip);
    void removeIcon();
    void setToolTip(const QString &tooltip);
    bool isShown() const;

signals:
    void clicked();
    void restoreRequested();
    void exitRequested();

private:
    QSystemTrayIcon *m_trayIcon;
    QMenu *m_trayMenu;
};
