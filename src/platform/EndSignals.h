#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;

namespace tolvane {

// SIGTERM, SIGINT and SIGHUP (a logout, a Ctrl+C, a closed terminal) reach the event
// loop as `received`, so the program ends through its own exit and not in the middle
// of what it was doing. One object per process; a signal the process was started
// with ignored (nohup) stays ignored.
class EndSignals : public QObject
{
    Q_OBJECT
public:
    EndSignals();
    ~EndSignals() override;
    EndSignals(const EndSignals&) = delete;
    EndSignals& operator=(const EndSignals&) = delete;

    // "SIGTERM", "SIGINT", "SIGHUP".
    static QString Name(int signal);

Q_SIGNALS:
    void received(int signal);

private:
    void Drain();

    int pipe_[2] = {-1, -1}; // written by the handler, read by the event loop
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace tolvane
