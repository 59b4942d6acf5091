#pragma once

#include <QDateTime>

namespace tolvane {

// The player's heartbeat: the time display's poll while an audio CD plays, the video
// control's position events while a file plays, and the desktop's position reads.
inline constexpr int kPollMilliseconds = 500;

// Wall-clock time and the waits of the program; tests run them instantly.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime Now() const = 0;
    // The same instant as milliseconds since 1970 UTC, for callers that read the time
    // very often: the system's reading skips the conversion to local time.
    virtual qint64 MSecsSinceEpoch() const { return Now().toMSecsSinceEpoch(); }
    // Waits while letting window events run.
    virtual void Delay(double seconds) = 0;
    // Lets pending window events run once.
    virtual void DoEvents() = 0;
    // Sleeps until at least one window event has arrived and ran.
    virtual void WaitForEvents() = 0;
};

class SystemClock : public Clock
{
public:
    QDateTime Now() const override;
    qint64 MSecsSinceEpoch() const override;
    void Delay(double seconds) override;
    void DoEvents() override;
    void WaitForEvents() override;
};

} // namespace tolvane
