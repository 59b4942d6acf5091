#include "PictureFiles.h"
#include "forms/FrmColor.h"
#include "forms/FrmVCD.h"
#include "platform/MediaFixtures.h"
#include "skins/SkinFixture.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

// A desktop that does not blend windows (Qt's offscreen one): a GIF skin's transparent
// parts show a snapshot of what lies behind the window, taken at the load and again
// when the colour window closes.
class DesktopBehindTest : public ::testing::Test, protected SkinFixture
{
protected:
    DesktopBehindTest()
    {
        Paint(desk, Qt::red);
        desk.show();
        RunEventsFor(50);
        player.faces.InitObj();
    }
    // A window as large as the screen in one colour, standing for the desktop.
    static void Paint(QWidget& window, QColor colour)
    {
        window.setWindowFlags(Qt::FramelessWindowHint);
        window.setGeometry(0, 0, 800, 600);
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, colour);
        window.setPalette(palette);
        window.setAutoFillBackground(true);
    }
    // A 200 x 150 skin: black around a blue body with a transparent window in it.
    QString HoleSkin()
    {
        QList<uchar> indices;
        for (int y = 0; y < 150; ++y)
            for (int x = 0; x < 200; ++x) {
                const bool body = x >= 10 && x < 190 && y >= 10 && y < 140;
                const bool hole = x >= 80 && x < 120 && y >= 60 && y < 90;
                indices.append(hole ? 2 : body ? 1 : 0);
            }
        const QByteArray gif =
            pictures::Gif({200, 150}, indices, {qRgb(0, 0, 0), qRgb(0, 0, 255), qRgb(9, 9, 9)}, 2);
        EXPECT_TRUE(pictures::Bytes(fake.LocalPath("C:\\Tolvane99\\Skin") + "/Hole.gif", gif));
        return "C:\\Tolvane99\\Skin\\Hole.gif";
    }
    QColor At(int x, int y)
    {
        return player.forms.Vcd().ImageDesk->pixmap().toImage().pixelColor(x, y);
    }

    QWidget desk;
};

TEST_F(DesktopBehindTest, TheHoleOfAGifSkinShowsWhatLiesBehindTheWindow)
{
    FrmVCD& vcd = player.forms.Vcd();
    player.context.app.CurrentSkinPicture = HoleSkin();
    player.skins.DeskUpdate(false);
    ASSERT_EQ(player.context.skin.LoadedPicture, player.context.app.CurrentSkinPicture);
    EXPECT_TRUE(vcd.isVisible());
    ASSERT_FALSE(vcd.ImageDesk->isHidden());
    EXPECT_EQ(vcd.ImageDesk->geometry(), QRect(0, 0, 200, 150));
    EXPECT_EQ(At(100, 75), QColor(Qt::red));
    EXPECT_EQ(At(30, 30), QColor(Qt::blue));

    // The desktop changes; the colour window's closing takes it again.
    QWidget other;
    Paint(other, Qt::green);
    desk.hide();
    other.show();
    RunEventsFor(50);
    EXPECT_EQ(At(100, 75), QColor(Qt::red));
    player.forms.Color().show();
    player.forms.Color().hide();
    EXPECT_EQ(At(100, 75), QColor(Qt::green));
    EXPECT_EQ(At(30, 30), QColor(Qt::blue));

    // A skin of another kind has nothing behind it.
    player.context.app.CurrentSkinPicture = "C:\\Tolvane99\\Skin\\Ocean.jpg";
    player.skins.DeskUpdate(false);
    EXPECT_TRUE(vcd.ImageDesk->isHidden());
    player.forms.Color().show();
    player.forms.Color().hide();
    EXPECT_TRUE(vcd.ImageDesk->isHidden());
}

} // namespace
} // namespace tolvane
