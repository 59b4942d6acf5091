#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QTimer>

namespace tolvane {

class Context;
class DiscDetection;
class Forms;
class PlayListWindow;

// What the desktop hands the player (its command line, a later copy's, a disc it
// offers): a disc is classified as the start's search of the CD-ROM drives does; files,
// folders and .m3u lists are played as a play list.
class DesktopOpen
{
public:
    DesktopOpen(Context& context, Forms& forms, DiscDetection& detection, PlayListWindow& playList);

    // Opens local paths from the event loop, once the main window is free: a request
    // that comes while a classification, a scan or an action holds it waits for its end.
    void Open(const QStringList& localPaths);
    // Opens at once; the start does so in place of its search.
    void OpenNow(const QStringList& localPaths);

    // The files a DOS path stands for: a file itself, a list's entries, the music files
    // of a folder's tree (each folder's files by name, then its subfolders).
    QStringList FilesOf(const QString& dosPath);

    // Where the table of mounts is read; tests give their own.
    QString mounts = QStringLiteral("/proc/self/mounts");

private:
    bool Busy() const;
    void OpenPending();
    QStringList FolderFiles(const QString& dosFolder);

    Context& context_;
    Forms& forms_;
    DiscDetection& detection_;
    PlayListWindow& playList_;
    QList<QStringList> pending_;
    QTimer retry_;
    bool opening_ = false; // a request runs, letting events run in its waits
};

} // namespace tolvane
