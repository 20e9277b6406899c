#include "app/ui/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace {
const QByteArray kActivate = "activate\n";
}

SingleInstance::SingleInstance(const QString &programFolder, QObject *parent)
    : QObject(parent), m_name(serverNameFor(programFolder))
{ }

QString SingleInstance::serverNameFor(const QString &programFolder)
{
    const QByteArray hash =
        QCryptographicHash::hash(QDir::cleanPath(programFolder).toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("lectorium-") + QString::fromLatin1(hash);
}

bool SingleInstance::becomePrimary()
{
    QLocalSocket probe;
    probe.connectToServer(m_name);
    if (probe.waitForConnected(500)) {
        probe.write(kActivate);
        probe.waitForBytesWritten(1000);
        probe.disconnectFromServer();
        return false;
    }
    // Nobody answered: a socket file left by a crashed instance is stale.
    QLocalServer::removeServer(m_name);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_name))
        return true; // cannot guard, but nothing else runs: go on alone
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *client = m_server->nextPendingConnection()) {
            auto readRequest = [this, client] {
                if (client->readAll().contains("activate"))
                    emit activationRequested();
            };
            connect(client, &QLocalSocket::readyRead, this, readRequest);
            if (client->bytesAvailable() > 0)
                readRequest();
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        }
    });
    return true;
}
