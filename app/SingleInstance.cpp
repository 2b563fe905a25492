#include "app/SingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <unistd.h>

SingleInstance::SingleInstance(QObject* parent)
    : QObject(parent), m_name(QStringLiteral("tandril-%1").arg(::getuid()))
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
