#include "app/widgets/SingleInstance.h"

#include "platform/Diagnostics.h"
#include "platform/RuntimeFolder.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

// Only in the user's checked private runtime folder: anywhere another user can create a name first,
// that user would receive the archives. Without one, each start opens a window of its own.
SingleInstance::SingleInstance(QObject* parent) : QObject(parent)
{
    if (const std::optional<QString> folder = RuntimeFolder::privateFolder())
        m_name = QDir(*folder).filePath(QStringLiteral("tandril.socket"));
    else
        logLine(
            QStringLiteral("⚠️ No private runtime folder: files opened later get a window of their own"));
}

bool SingleInstance::handOver(const QStringList& files) const
{
    if (m_name.isEmpty())
        return false;
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
    if (m_name.isEmpty())
        return;
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
                    receiver(QString::fromUtf8(socket->readLine()).chopped(1));
                }
            });
        }
    });
}
