#include "PictureFiles.h"
#include "discovery/DiscDetection.h"
#include "fakes/FakePlatform.h"
#include "fakes/PlayerFixture.h"
#include "forms/FrmSet.h"
#include "forms/FrmVCD.h"
#include "platform/MediaFixtures.h"
#include "platform/VideoControl.h"
#include "playback/MediaProcedures.h"
#include "shell/Player.h"

#include <QDir>
#include <QSet>
#include <gtest/gtest.h>

namespace tolvane {
namespace {

// Songs playing on the real engine (no picture, no sound) with the show on and a
// "ShowTime" of one second: the picture area goes through the folder's pictures.
TEST(RealPictureShow, ThePictureChangesWhileSongsPlay)
{
    FakePlatform fake;
    Player player{fake.platform};
    UseDiscTypes(player);
    FrmSet& set = player.forms.Set();
    set.Check5->setChecked(true);
    set.Option2[0]->setChecked(true);
    FrmVCD& vcd = player.forms.Vcd();

    const QString album = fake.dir.path() + "/album";
    ASSERT_TRUE(QDir().mkpath(album));
    for (const char* name : {"1.mp3", "2.mp3"})
        ASSERT_TRUE(QFile::copy(MediaFixtures() + "/tone.mp3", album + "/" + name));
    fake.drives.Add({'F', album, kDriveFixed});

    fake.files.MakeFolder("C:\\Show");
    const QList<QColor> colours = {Qt::red, Qt::green, Qt::blue};
    for (int i = 0; i < colours.size(); ++i)
        ASSERT_TRUE(pictures::Solid(fake.LocalPath("C:\\Show") + QString("/%1.png").arg(i),
                                    {160, 120}, colours[i]));
    player.context.app.BackgroundFolder = "C:\\Show";
    player.context.app.BackgroundPictures = true;
    player.context.skin.PictureVisible = true;
    vcd.TimerBMP->setInterval(1000);
    player.pictureShow.ReadFolder();

    player.detection.SetDevice("F:");
    player.detection.CheckCdrom(true);
    ASSERT_EQ(player.context.playback.PlayMode, MediaMode::Mp3);
    EXPECT_TRUE(vcd.TimerBMP->isActive());
    QSet<QRgb> seen;
    const bool all = RunEventsUntil([&] {
        const QImage shown = vcd.Image1->pixmap().toImage();
        if (!shown.isNull() && !vcd.Image1->isHidden())
            seen.insert(shown.pixel(shown.rect().center()));
        return seen.size() == colours.size();
    });
    EXPECT_TRUE(all) << seen.size();
    EXPECT_EQ(vcd.MCIWnd1->Mode(), "playing");
    player.services.Media().StopAllMedia();
    EXPECT_FALSE(vcd.TimerBMP->isActive());
}

} // namespace
} // namespace tolvane
