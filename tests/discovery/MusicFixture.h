#pragma once

#include "app/Player.h"
#include "discovery/MusicScan.h"
#include "fakes/FakePlatform.h"

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
        root = fake.dir.path() + "/disc";
        QDir().mkpath(root);
        fake.drives.Add({'E', root, kDriveFixed});
        player.app.SearchPattern = "CDA;DAT;AVI;MP3;MID";
        player.device.CdromDrive = "E:";
        player.device.CdromDriveType = kDriveFixed;
        player.device.MusicFolders = {"stale"};
    }

    // A folder under E: given with "/" between its names.
    void Folder(const QString& relative) const { QDir().mkpath(root + "/" + relative); }

    // A file under E:, dated at noon of `date` when one is given.
    void File(const QString& relative, QDate date = QDate(2004, 5, 6)) const
    {
        QString local = root + "/" + relative;
        QDir().mkpath(QFileInfo(local).path());
        QFile file(local);
        file.open(QIODevice::WriteOnly);
        file.write("x");
        file.close();
        file.open(QIODevice::ReadWrite);
        file.setFileTime(QDateTime(date, QTime(12, 0)), QFileDevice::FileModificationTime);
    }

    void Link(const QString& relative, const QString& target) const
    {
        QFile::link(target, root + "/" + relative);
    }

    FakePlatform fake;
    Player player{fake.platform};
    QString root;
};

// Reads through another source and lets a test act before each listing.
class WatchedSource : public FolderSource
{
public:
    explicit WatchedSource(FolderSource& inner) : inner_(inner) {}
    void Begin() override { inner_.Begin(); }
    Result List(const QString& dosFolder, FolderListing& out) override
    {
        listed.append(dosFolder);
        if (unreadable.contains(dosFolder, Qt::CaseInsensitive)) {
            out = FolderListing();
            return Unreadable;
        }
        if (onList)
            onList(dosFolder);
        return inner_.List(dosFolder, out);
    }
    QDate ModifiedDate(const QString& dosFolder, const QString& name) override
    {
        ++datesRead;
        return inner_.ModifiedDate(dosFolder, name);
    }

    QStringList listed;
    QStringList unreadable;
    int datesRead = 0;
    std::function<void(const QString&)> onList;

private:
    FolderSource& inner_;
};

} // namespace tolvane
