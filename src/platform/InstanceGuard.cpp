#include "platform/InstanceGuard.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <unistd.h>

namespace tolvane {

LocalInstanceGuard::LocalInstanceGuard(QString name) : name_(std::move(name)) {}

LocalInstanceGuard::~LocalInstanceGuard()
{
    delete server_;
}

QString LocalInstanceGuard::UserServerName()
{
    return QStringLiteral("tolvane99-%1").arg(getuid());
}

bool LocalInstanceGuard::ActivateRunning()
{
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(500))
        return false;
    socket.write("activate\n");
    socket.waitForBytesWritten(500);
    socket.disconnectFromServer();
    return true;
}

void LocalInstanceGuard::Claim()
{
    if (server_)
        return;
    server_ = new QLocalServer;
    // A socket left by a copy that crashed would block the name.
    QLocalServer::removeServer(name_);
    server_->listen(name_);
    QObject::connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* peer = server_->nextPendingConnection()) {
            QObject::connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            Q_EMIT activationRequested();
        }
    });
}

} // namespace tolvane
