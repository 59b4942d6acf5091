#pragma once

#include <QFile>
#include <QString>
#include <memory>
#include <optional>

namespace tolvane {

struct Platform;

// The trace log: program folder + "\TL99.log", rewritten at each start, one
// time-stamped line per coarse event. The file stays open and each line goes to the
// system unbuffered as it is written, so every line survives a crash of the program.
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

    bool Append(const QByteArray& bytes);

    Platform& platform_;
    std::optional<bool> utf8_;    // the log's encoding, once known
    std::unique_ptr<QFile> file_; // open for appending once a line was written
    qint64 timeSecond_ = -1;      // the second that timeText_ shows
    QString timeText_;
};

} // namespace tolvane
