#pragma once

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <functional>

namespace tolvane {

// Replaces the file at `localPath` with `bytes`. They go to a temporary file in the
// same folder, renamed over the old file only when every write, the flush and the sync
// to disk succeeded; otherwise the old file stays as it was and `reason` says why.
bool SaveWholeFile(const QString& localPath, const QByteArray& bytes, QString& reason);

// A part of a file being saved: its bytes, or a whole file copied as it is (nothing
// when that file does not exist).
struct SavePiece
{
    QByteArray bytes;
    QString copyOf; // local path
};

// SaveWholeFile of the pieces one after another, so a long file is appended to or
// copied without holding it in memory; `progress` runs between the chunks of a copy.
bool SavePieces(const QString& localPath, const QList<SavePiece>& pieces, QString& reason,
                const std::function<void()>& progress = {});

// A name beside `localPath` for a file that could not be read: ".unreadable", then
// ".unreadable2" and on, never one in use.
QString SetAsideName(const QString& localPath);

// Tells the program about files it could not save or read. A failed save of a file is
// told once, until a save of it succeeds again. Notices raised before the program
// listens wait for it.
class FileNotices
{
public:
    using Notice = std::function<void(const QString& path, const QString& reason)>;

    // `setAside` gets the name the unreadable file is kept under as its reason.
    void Listen(Notice saveFailed, Notice setAside);

    void SaveFailed(const QString& path, const QString& reason);
    void Saved(const QString& path);
    void SetAside(const QString& path, const QString& keptAs);

private:
    struct Waiting
    {
        bool save;
        QString path;
        QString reason;
    };

    Notice saveFailed_;
    Notice setAside_;
    QSet<QString> failing_;
    QList<Waiting> waiting_;
};

} // namespace tolvane
