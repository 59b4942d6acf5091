#include "platform/InstanceGuard.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <unistd.h>

namespace tolvane {

namespace {

constexpr char kRequest[] = "activate\n";
constexpr char kAnswer[] = "ok\n";
constexpr int kAnswerMs = 1000; // how long a later copy waits for the running one

} // namespace

LocalInstanceGuard::LocalInstanceGuard(QString name) : name_(std::move(name)) {}

LocalInstanceGuard::~LocalInstanceGuard()
{
    delete server_;
}

QString LocalInstanceGuard::UserServerName()
{
    return QStringLiteral("tolvane99-%1").arg(getuid());
}

InstanceGuard::Running LocalInstanceGuard::ActivateRunning()
{
    QLocalSocket socket;
    QDeadlineTimer deadline(kAnswerMs);
    socket.connectToServer(name_);
    if (!socket.waitForConnected(kAnswerMs)) {
        // Refused or missing: nobody listens, at most a socket file left by a copy that
        // crashed, which Claim replaces. Still connecting: a copy holds the name whose
        // queue of calls is full.
        const QLocalSocket::LocalSocketError error = socket.error();
        const bool nobody = error == QLocalSocket::ConnectionRefusedError ||
                            error == QLocalSocket::ServerNotFoundError;
        return nobody ? Running::None : Running::NoAnswer;
    }
    socket.write(kRequest);
    while (!socket.canReadLine()) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(int(deadline.remainingTime())))
            return Running::NoAnswer;
    }
    return socket.readLine() == kAnswer ? Running::Activated : Running::NoAnswer;
}

// The later copy waits for the answer: it tells a copy that came forward from one that
// is frozen.
void LocalInstanceGuard::Answer(QLocalSocket& peer)
{
    while (peer.canReadLine()) {
        if (peer.readLine() != kRequest)
            continue;
        peer.write(kAnswer);
        peer.flush();
        Q_EMIT activationRequested();
    }
}

void LocalInstanceGuard::Release()
{
    delete server_;
    server_ = nullptr;
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
            QObject::connect(peer, &QLocalSocket::readyRead, this, [this, peer] { Answer(*peer); });
            Answer(*peer);
        }
    });
}

} // namespace tolvane
