#pragma once

#include "discovery/MusicScan.h"
#include "fakes/FakePlatform.h"
#include "shell/Player.h"

#include <QDir>
#include <QFile>
#include <functional>

namespace tolvane {

// A player over the fake platform with a drive E: standing for a fresh folder tree.
class MusicFixture
{
public:
    MusicFixture()
    {
        QDir().mkpath(root);
        fake.drives.Add({'E', root, kDriveFixed});
        player.context.app.SearchPattern = "CDA;DAT;AVI;MP3;MID";
        player.context.device.CdromDriveType = kDriveFixed;
        player.context.device.MusicFolders = {"stale"};
    }

    // A file under E: ("A/b.mp3"), dated at noon of `date`; a name ending in "/" is an
    // empty folder.
    void File(const QString& relative, QDate date = QDate(2004, 5, 6)) const
    {
        const QString local = root + "/" + relative;
        QDir().mkpath(QFileInfo(local).path());
        QFile file(local);
        if (relative.endsWith('/') || !file.open(QIODevice::WriteOnly))
            return;
        file.write("x");
        file.flush();
        file.setFileTime(QDateTime(date, QTime(12, 0)), QFileDevice::FileModificationTime);
    }

    FakePlatform fake;
    Player player{fake.platform};
    QString root = fake.dir.path() + "/disc";
};

// Reads through another source, recording what is asked, failing the folders named
// unreadable and letting a test act before each listing.
class WatchedSource : public FolderSource
{
public:
    explicit WatchedSource(FolderSource& source) : inner(source) {}
    void Begin() override { inner.Begin(); }
    Result List(const QString& dosFolder, FolderListing& out) override
    {
        listed.append(dosFolder);
        if (unreadable.contains(dosFolder, Qt::CaseInsensitive)) {
            out = FolderListing();
            return Unreadable;
        }
        if (onList)
            onList(dosFolder);
        return inner.List(dosFolder, out);
    }
    QDate ModifiedDate(const QString& dosFolder, const QString& name) override
    {
        ++datesRead;
        return inner.ModifiedDate(dosFolder, name);
    }

    QStringList listed;
    QStringList unreadable;
    int datesRead = 0;
    std::function<void(const QString&)> onList;
    FolderSource& inner;
};

} // namespace tolvane
