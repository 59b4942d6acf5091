#pragma once

#include "app/Text.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace tolvane {

struct Platform;

// The trace log: program folder + "\TL99.log", rewritten at each start, one
// time-stamped line per coarse event. The file stays open and each line goes to the
// system unbuffered as it is written, so every line survives a crash of the program.
// A long run of lines (a folder scan logs every folder) may be held in a batch that its
// owner flushes at least every few tens of milliseconds.
class Log
{
public:
    explicit Log(Platform& platform);

    void LogOpen();
    void LogWrite(const QString& message);
    // A line stamped with a time the caller has just read.
    void LogWrite(const QString& message, const QDateTime& now);
    // A line that must not be lost to the opening's rewrite: written before the log is
    // opened this run, it waits and follows the opening lines.
    void LogWriteKept(const QString& message);
    // Writes the lines a batch holds.
    void Flush();

    QString Path() const;

    // Lines written while a batch lives are held until Flush or its end.
    class Batch
    {
    public:
        explicit Batch(Log& log) : log_(log) { ++log_.batches_; }
        ~Batch()
        {
            if (--log_.batches_ == 0)
                log_.Flush();
        }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        Log& log_;
    };

private:
    void Write(const QString& text, bool truncate);
    QString ShortDate() const;

    bool Append(const QByteArray& bytes);

    Platform& platform_;
    std::optional<bool> utf8_;    // the log's encoding, once known
    std::unique_ptr<QFile> file_; // open for appending once a line was written
    ClockText time_;
    int batches_ = 0;
    QByteArray held_; // lines of a batch, encoded, not written yet
    bool opened_ = false;
    QStringList waiting_; // kept lines from before the opening
};

} // namespace tolvane
