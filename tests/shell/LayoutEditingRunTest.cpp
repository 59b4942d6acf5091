#include "app/Settings.h"
#include "fakes/FakePlatform.h"
#include "forms/FrmColor.h"
#include "forms/FrmVCD.h"
#include "shell/Player.h"
#include "shell/Startup.h"
#include "ui/UiFixture.h"

#include <gtest/gtest.h>

using namespace tolvane;

namespace {

// The whole program by clicks: open the colour window, drag a button, save the layout,
// start again over the same files, and the button is where it was dragged.
TEST(LayoutEditingRun, ADraggedButtonSavedIsThereAfterARestart)
{
    FakePlatform fake;
    QImage sea(576, 360, QImage::Format_RGB32);
    sea.fill(QColor(60, 110, 140));
    sea.save(fake.LocalPath("C:\\Tolvane99\\Skin") + "/Sea.jpg", "JPG");
    Settings settings(fake.registry);
    settings.SaveUserSetting("ReadMe", "1");
    settings.SaveUserSetting("DeskPic", "C:\\Tolvane99\\Skin\\Sea.jpg");

    auto run = [&fake](std::unique_ptr<Player>& player, std::unique_ptr<Startup>& startup) {
        player = std::make_unique<Player>(fake.platform);
        startup = std::make_unique<Startup>(*player);
        startup->Main();
        ASSERT_FALSE(player->context.Ended());
        ASSERT_EQ(player->forms.Vcd().size(), QSize(576, 360));
    };
    std::unique_ptr<Player> player;
    std::unique_ptr<Startup> startup;
    run(player, startup);
    FrmVCD& vcd = player->forms.Vcd();
    Mouse mouse{vcd};
    mouse.Click(*vcd.PicButton[4]);
    FrmColor& color = player->forms.Color();
    ASSERT_TRUE(color.isVisible());
    ASSERT_EQ(color.windowTitle(), "按鈕顏色設定");

    SkinButton& button = *vcd.PicButton[1];
    const QPoint start = button.pos();
    const QPoint at = Mouse::Centre(button);
    mouse.Press(at);
    mouse.Move(at + QPoint(8, 0));
    mouse.Move(at + QPoint(20, 0));
    mouse.Release(at + QPoint(20, 0));
    ASSERT_EQ(button.pos(), start + QPoint(20, 0));
    color.Command5->click();
    color.Command2->click();
    startup->CloseForm();

    std::unique_ptr<Player> again;
    std::unique_ptr<Startup> restarted;
    run(again, restarted);
    EXPECT_EQ(again->forms.Vcd().PicButton[1]->pos(), start + QPoint(20, 0));
    EXPECT_EQ(again->forms.Vcd().PicButton[2]->pos(), vcd.PicButton[2]->pos());
    restarted->CloseForm();
}

} // namespace
