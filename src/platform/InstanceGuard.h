#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace tolvane {

// One running copy per user: a later copy asks the first to come to the front.
class InstanceGuard : public QObject
{
    Q_OBJECT
public:
    // True when another copy is running; it has then been asked to come forward.
    virtual bool ActivateRunning() = 0;
    // Starts answering later copies.
    virtual void Claim() = 0;

Q_SIGNALS:
    void activationRequested();
};

class LocalInstanceGuard : public InstanceGuard
{
    Q_OBJECT
public:
    explicit LocalInstanceGuard(QString name);
    ~LocalInstanceGuard() override;

    bool ActivateRunning() override;
    void Claim() override;

    static QString UserServerName();

private:
    QString name_;
    QLocalServer* server_ = nullptr;
};

} // namespace tolvane
