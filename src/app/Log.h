#pragma once

#include <QString>
#include <optional>

namespace tolvane {

struct Platform;

// The trace log: program folder + "\TL99.log", rewritten at each start, one
// time-stamped line per coarse event, reopened for every line so it survives a crash.
class Log
{
public:
    explicit Log(Platform& platform);

    void LogOpen();
    void LogWrite(const QString& message);

    QString Path() const;

private:
    void Write(const QString& text, bool truncate);
    QString ShortDate() const;

    Platform& platform_;
    std::optional<bool> utf8_; // the log's encoding, once known
};

} // namespace tolvane
