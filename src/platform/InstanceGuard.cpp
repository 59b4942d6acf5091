#include "platform/InstanceGuard.h"

#include "platform/LocalNames.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <optional>
#include <unistd.h>

namespace tolvane {

namespace {

constexpr char kRequest[] = "activate\n";
// "open" and the paths' bytes, each in base64, on one line: names are bytes, and may
// hold blanks and line ends.
constexpr char kOpen[] = "open";
constexpr char kAnswer[] = "ok\n";
constexpr int kAnswerMs = 1000; // how long a later copy waits for the running one
// A line longer than this is no request of a later copy: the caller is cut off.
constexpr qint64 kLongestRequest = 16 * 1024 * 1024;

QByteArray Request(const QStringList& localPaths)
{
    if (localPaths.isEmpty())
        return kRequest;
    QByteArray line = kOpen;
    for (const QString& path : localPaths)
        line += ' ' + LocalBytes(path).toBase64();
    return line + '\n';
}

// The paths of a request line; nullopt when the line is no request.
std::optional<QStringList> PathsOf(const QByteArray& line)
{
    if (line == kRequest)
        return QStringList();
    const QList<QByteArray> words = line.trimmed().split(' ');
    if (words.value(0) != kOpen)
        return std::nullopt;
    QStringList paths;
    for (qsizetype i = 1; i < words.size(); ++i) {
        auto decoded =
            QByteArray::fromBase64Encoding(words[i], QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded || decoded.decoded.isEmpty())
            return std::nullopt;
        paths.append(LocalName(decoded.decoded));
    }
    return paths;
}

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

InstanceGuard::Running LocalInstanceGuard::ActivateRunning(const QStringList& localPaths)
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
    socket.write(Request(localPaths));
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
        const std::optional<QStringList> paths = PathsOf(peer.readLine());
        if (!paths)
            continue;
        peer.write(kAnswer);
        peer.flush();
        Q_EMIT activationRequested();
        if (!paths->isEmpty())
            Q_EMIT openRequested(*paths);
    }
    if (peer.bytesAvailable() > kLongestRequest)
        peer.abort();
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
    // The paths a request names are played: only the user's own copies may ask.
    server_->setSocketOptions(QLocalServer::UserAccessOption);
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
