#include "playback/VideoWindow.h"
#include "fakes/PlayerFixture.h"
#include "forms/FrmMenu.h"
#include "forms/FrmPlay.h"
#include "forms/FrmTemp.h"
#include "forms/FrmVCD.h"
#include "playback/PlaybackController.h"
#include "playback/PlaybackServices.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace tolvane {
namespace {

// 352 × 240 Video CD tracks, a skin without a picture area and a main window 300 pixels
// wide; the screen is 1024 × 768 unless a test says otherwise.
class VideoWindowTest : public PlayerFixture
{
protected:
    VideoWindowTest()
    {
        VideoCd(2);
        separate.videoSize = QSize(352, 240);
        player.context.skin.WindowWidth = 300 * 15;
        vcd.Image1->hide();
        Screen(1024, 768);
        player.controller.PlayCd(1);
    }
    void Screen(int width, int height)
    {
        player.context.skin.ScreenWidth = width;
        player.context.skin.ScreenHeight = height;
    }
    // The requested size, the title, and "full" at full screen.
    QString Shown() const
    {
        const bool full = play.windowState().testFlag(Qt::WindowFullScreen);
        return QString("%1x%2 %3%4")
            .arg(app.VideoWidth)
            .arg(app.VideoHeight)
            .arg(play.windowTitle(), full ? "full" : "");
    }

    FrmVCD& vcd = player.forms.Vcd();
    FrmPlay& play = player.forms.Play();
    AppState& app = player.context.app;
    VideoWindow& video = player.services.Video();
};

TEST_F(VideoWindowTest, SizesKeepWithinTheScreenAndTheWindowIsTitledAndPlaced)
{
    const QString file = "E:\\MPEGAV\\AVSEQ01.DAT - ";
    const struct
    {
        QSize screen;
        int mainLeft;
        int entry;
        QString shown;
        int roomLeft; // the window is centred right of this; none at full screen
    } cases[] = {
        {{1024, 768}, 0, 3, "704x480 " + file + "704 X 480 (352 X 240)", 300},
        {{640, 480}, 0, 3, "640x480 full", -1},
        {{1024, 768}, 0, 0, "176x120 " + file + "176 X 120 (352 X 240)", 300},
        // No room right of the main window: centred on the screen.
        {{1024, 768}, 200, 2, "528x360 " + file + "528 X 360 (352 X 240)", 0},
        {{800, 600}, 0, 2, "800x600 full", -1},
        {{1024, 768}, 0, 4, "1024x768 full", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown.toStdString());
        Screen(c.screen.width(), c.screen.height());
        vcd.move(c.mainLeft, 0);
        video.mSize_Click(c.entry);
        EXPECT_EQ(Shown(), c.shown);
        EXPECT_EQ(vcd.Label1->text(), QString("%1X%2").arg(app.VideoWidth).arg(app.VideoHeight));
        EXPECT_EQ(play.MCIWnd1->geometry(), QRect(0, 0, app.VideoWidth, app.VideoHeight));
        if (c.roomLeft < 0)
            continue;
        // The whole window, frame and all, in the middle of its room.
        const QPoint centre = play.frameGeometry().center();
        EXPECT_NEAR(centre.x(), (c.roomLeft + c.screen.width()) / 2, 1);
        EXPECT_NEAR(centre.y(), c.screen.height() / 2, 1);
    }
    // Two enlargements from the natural size fill the room beside the main window.
    Screen(1024, 768);
    app.VideoWidth = 550;
    app.VideoHeight = 375;
    video.ChkVCDSize();
    EXPECT_EQ(Shown(), "716x488 " + file + "716 X 488 (352 X 240)");
}

TEST_F(VideoWindowTest, FullScreenStaysFromFileToFileAndAClickHidesTheMainWindow)
{
    EXPECT_EQ(Shown(), "352x240 E:\\MPEGAV\\AVSEQ01.DAT - 352 X 240 (352 X 240)");
    video.mSize_Click(4);
    player.controller.PlayCd(2);
    EXPECT_EQ(Shown(), "1024x768 full");
    // A smaller display: the full screen follows it.
    Screen(800, 600);
    video.DisplayChanged();
    EXPECT_EQ(Shown(), "800x600 full");
    video.mSize_Click(0);
    player.controller.PlayCd(1);
    EXPECT_EQ(Shown(), "352x240 E:\\MPEGAV\\AVSEQ01.DAT - 352 X 240 (352 X 240)");

    vcd.show();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(play.MCIWnd1, &press);
    EXPECT_FALSE(vcd.isVisible());
    EXPECT_TRUE(player.forms.Temp().isMinimized());
    QCoreApplication::sendEvent(play.MCIWnd1, &press);
    EXPECT_TRUE(vcd.isVisible());
    EXPECT_FALSE(player.forms.Temp().isMinimized());
    // The sizes are offered while the window is shown, and not once everything stops.
    FrmMenu& menu = player.forms.Menu();
    player.menus.ChkMenu(1, QPoint());
    EXPECT_TRUE(menu.mSize[2]->isEnabled());
    menu.mReSize->close();
    player.services.Media().StopAllMedia();
    player.menus.ChkMenu(1, QPoint());
    EXPECT_FALSE(menu.mSize[2]->isEnabled());
    menu.mReSize->close();
}

} // namespace
} // namespace tolvane
