#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// One running program per program folder. The first start listens on a
// local socket named after the folder; a second start finds it, asks it to
// show its window, and exits.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    explicit SingleInstance(const QString &programFolder, QObject *parent = nullptr);

    // True when no other instance runs (this one now listens). False when
    // another one answered; it has been asked to come to the front.
    bool becomePrimary();
    static QString serverNameFor(const QString &programFolder);

signals:
    void activationRequested();

private:
    QString m_name;
    QLocalServer *m_server = nullptr;
};
