#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

namespace tolvane {

// One running copy per user: a later copy asks the first to come to the front, hands
// it the paths it was started with, and waits a second for its answer.
class InstanceGuard : public QObject
{
    Q_OBJECT
public:
    enum class Running {
        None,      // no other copy: this one goes on
        Activated, // another copy came forward
        NoAnswer,  // another copy holds the name but did not answer in time
    };
    // Asks a copy already running to come forward and to open `localPaths` (local paths
    // as LocalNames holds them; none asks only for the window).
    virtual Running ActivateRunning(const QStringList& localPaths) = 0;
    // Starts answering later copies.
    virtual void Claim() = 0;

Q_SIGNALS:
    void activationRequested();
    // A later copy was started with these local paths; raised after its activation.
    void openRequested(const QStringList& localPaths);
};

class LocalInstanceGuard : public InstanceGuard
{
    Q_OBJECT
public:
    explicit LocalInstanceGuard(QString name);
    ~LocalInstanceGuard() override;

    Running ActivateRunning(const QStringList& localPaths) override;
    void Claim() override;
    // Stops answering and frees the name, so the next start finds no copy.
    void Release();

    static QString UserServerName();

private:
    void Answer(QLocalSocket& peer);

    QString name_;
    QLocalServer* server_ = nullptr;
};

} // namespace tolvane
