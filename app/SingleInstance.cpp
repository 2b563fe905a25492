#include "app/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

// In the user's private runtime folder (XDG_RUNTIME_DIR, or a 0700 folder Qt makes): in the
// shared temporary folder another user could take the name first and receive the archives.
SingleInstance::SingleInstance(QObject* parent)
    : QObject(parent), m_name(QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
                                  .filePath(QStringLiteral("tandril.socket")))
{}

bool SingleInstance::handOver(const QStringList& files) const
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(1000))
        return false;
    socket.write(files.join(u'\n').toUtf8() + '\n');
    socket.flush();
    socket.waitForBytesWritten(2000);
    socket.disconnectFromServer();
    return true;
}

void SingleInstance::listen(std::function<void(const QString&)> receiver)
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(m_name); // left over by a Tandril that did not end cleanly
    if (!m_server->listen(m_name))
        return;
    connect(m_server, &QLocalServer::newConnection, this, [this, receiver = std::move(receiver)] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [socket, receiver] {
                while (socket->canReadLine()) {
                    const QString file = QString::fromUtf8(socket->readLine()).chopped(1);
                    if (!file.isEmpty())
                        receiver(file);
                }
            });
        }
    });
}
