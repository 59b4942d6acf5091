#pragma once

#include "fakes/FakeMci.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeSystemVolume.h"
#include "forms/FrmSet.h"
#include "shell/Player.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace tolvane {

// The settings the disc tests classify with: the built-in file types with
// "VCD (*.dat)" selected, and music scans looking for CDA, DAT and MP3. The pattern
// comes last: a change of the list's selection rebuilds it.
inline void UseDiscTypes(Player& player)
{
    FrmSet& set = player.forms.Set();
    set.List1->clear();
    set.List1->addItems(FrmSet::BuiltInFileTypes());
    set.List1->item(1)->setSelected(true);
    player.context.app.SearchPattern = "CDA;DAT;MP3";
}

// A player over the fake platform whose video controls (of the MPEG video device)
// record what they are told and whose system volume is a recorder, with a drive E:
// standing for a fresh folder as the current device.
class PlayerFixture : public ::testing::Test
{
protected:
    explicit PlayerFixture(int driveType = kDriveFixed)
    {
        root = fake.dir.path() + "/disc";
        QDir().mkpath(root);
        fake.drives.Add({'E', root, driveType});
        main.deviceName = separate.deviceName = "MPEGVideo";
        player.services.UseVideoControls(main, separate);
        player.services.UseSystemVolume(outputs);
        player.context.device.CdromDrive = "E:";
        player.context.device.CdromDriveType = driveType;
    }

    // A file of one byte under E:, given with "/" between its names.
    void File(const QString& relative) const
    {
        const QString local = root + "/" + relative;
        QDir().mkpath(QFileInfo(local).path());
        QFile file(local);
        file.open(QIODevice::WriteOnly);
        file.write("x");
    }

    // Songs "a01.mp3" ... in a folder of E:.
    void Songs(const QString& folder, int count) const
    {
        for (int i = 1; i <= count; ++i)
            File(folder + QString("/a%1.mp3").arg(i, 2, 10, QChar('0')));
    }

    // A Video CD of `files` tracks E:\MPEGAV\AVSEQ01.DAT ... as the classification
    // leaves it.
    void VideoCd(int files)
    {
        player.context.playback.PlayMode = MediaMode::Vcd;
        player.context.device.TrackCount = files;
        for (int i = 1; i <= files; ++i)
            player.context.device.VcdFiles.append(
                QString("E:\\MPEGAV\\AVSEQ%1.DAT").arg(i, 2, 10, QChar('0')));
    }

    FakePlatform fake;
    FakeMciWindow main;
    FakeMciWindow separate;
    FakeSystemVolume outputs;
    Player player{fake.platform};
    QString root;
};

} // namespace tolvane
