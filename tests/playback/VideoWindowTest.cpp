#include "playback/VideoWindow.h"
#include "fakes/PlayerFixture.h"
#include "forms/FrmMenu.h"
#include "forms/FrmPlay.h"
#include "forms/FrmTemp.h"
#include "forms/FrmVCD.h"
#include "playback/PlaybackController.h"
#include "playback/PlaybackServices.h"

#include <QApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace tolvane {
namespace {

// A Video CD of 352 × 240 tracks beside a main window 300 pixels wide at the left edge
// of the screen, with a skin that has no picture area.
class VideoWindowTest : public PlayerFixture
{
protected:
    VideoWindowTest()
    {
        VideoCd(2);
        separate.videoSize = QSize(352, 240);
        player.context.skin.WindowWidth = 300 * 15;
        vcd.move(0, 0);
        vcd.Image1->hide();
        Screen(1024, 768);
    }
    void Screen(int width, int height)
    {
        player.context.skin.ScreenWidth = width;
        player.context.skin.ScreenHeight = height;
    }
    QString Shown() const
    {
        return QString("%1x%2 %3").arg(app.VideoWidth).arg(app.VideoHeight).arg(play.windowTitle());
    }
    bool FullScreen() const { return play.windowState().testFlag(Qt::WindowFullScreen); }
    void Click()
    {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(play.MCIWnd1, &press);
    }

    FrmVCD& vcd = player.forms.Vcd();
    FrmPlay& play = player.forms.Play();
    AppState& app = player.context.app;
    VideoWindow& video = player.services.Video();
};

TEST_F(VideoWindowTest, SizeMenuEntriesKeepWithinTheScreenAndTitleTheWindow)
{
    enum Place { Beside, Centred, Full };
    struct Case
    {
        QSize screen;
        int mainLeft;
        int entry;
        const char* shown;
        const char* label;
        Place place;
    };
    const Case cases[] = {
        {{1024, 768},
         0,
         3,
         "704x480 E:\\MPEGAV\\AVSEQ01.DAT - 704 X 480 (352 X 240)",
         "704X480",
         Beside},
        {{640, 480}, 0, 3, "640x480 ", "640X480", Full},
        {{1024, 768},
         0,
         0,
         "176x120 E:\\MPEGAV\\AVSEQ01.DAT - 176 X 120 (352 X 240)",
         "176X120",
         Beside},
        {{1024, 768},
         200,
         2,
         "528x360 E:\\MPEGAV\\AVSEQ01.DAT - 528 X 360 (352 X 240)",
         "528X360",
         Centred},
        {{800, 600}, 0, 2, "800x600 ", "800X600", Full},
        {{1024, 768}, 0, 4, "1024x768 ", "1024X768", Full},
    };
    player.controller.PlayCd(1);
    ASSERT_TRUE(play.isVisible());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Screen(c.screen.width(), c.screen.height());
        vcd.move(c.mainLeft, 0);
        video.mSize_Click(c.entry);
        EXPECT_EQ(Shown(), c.shown);
        EXPECT_EQ(vcd.Label1->text(), c.label);
        EXPECT_EQ(play.MCIWnd1->geometry(), QRect(0, 0, app.VideoWidth, app.VideoHeight));
        EXPECT_EQ(FullScreen(), c.place == Full);
        if (c.place == Full)
            continue;
        // The whole window, frame and all, in the middle of the room it has.
        const QPoint centre = play.frameGeometry().center();
        const int left = c.place == Beside ? c.mainLeft + 300 : 0;
        EXPECT_NEAR(centre.x(), (left + c.screen.width()) / 2, 1);
        EXPECT_NEAR(centre.y(), c.screen.height() / 2, 1);
    }
}

TEST_F(VideoWindowTest, FullScreenStaysFromFileToFileAndEnlargingFillsTheRoom)
{
    player.controller.PlayCd(1);
    EXPECT_EQ(Shown(), "352x240 E:\\MPEGAV\\AVSEQ01.DAT - 352 X 240 (352 X 240)");
    video.mSize_Click(4);
    player.controller.PlayCd(2);
    EXPECT_TRUE(play.isVisible());
    EXPECT_EQ(Shown(), "1024x768 ");
    EXPECT_TRUE(FullScreen());
    // A smaller display: the full screen follows it.
    Screen(800, 600);
    video.DisplayChanged();
    EXPECT_EQ(Shown(), "800x600 ");
    video.mSize_Click(0);
    player.controller.PlayCd(1);
    EXPECT_EQ(Shown(), "352x240 E:\\MPEGAV\\AVSEQ01.DAT - 352 X 240 (352 X 240)");
    EXPECT_FALSE(FullScreen());

    // Two enlargements from the natural size fill the room beside the main window.
    Screen(1024, 768);
    app.VideoWidth = 550;
    app.VideoHeight = 375;
    video.ChkVCDSize();
    EXPECT_EQ(QSize(app.VideoWidth, app.VideoHeight), QSize(716, 488));
}

TEST_F(VideoWindowTest, AClickInTheVideoHidesTheMainWindowAndTheNextBringsItBack)
{
    player.controller.PlayCd(1);
    vcd.show();
    FrmMenu& menu = player.forms.Menu();
    player.menus.ChkMenu(1, QPoint());
    EXPECT_TRUE(menu.mSize[2]->isEnabled());
    Click();
    EXPECT_FALSE(vcd.isVisible());
    EXPECT_TRUE(player.forms.Temp().isMinimized());
    Click();
    EXPECT_TRUE(vcd.isVisible());
    EXPECT_FALSE(player.forms.Temp().isMinimized());
    // Stopping everything hides the video window, and its sizes with it.
    player.services.Media().StopAllMedia();
    player.menus.ChkMenu(1, QPoint());
    EXPECT_FALSE(menu.mSize[2]->isEnabled());
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
}

} // namespace
} // namespace tolvane
