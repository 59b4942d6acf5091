#include "ui/ControlPanel.h"
#include "app/FrmTemp.h"
#include "skins/FrmColor.h"
#include "ui/NumberPad.h"
#include "ui/UiFixture.h"

#include <QApplication>
#include <QMenu>
#include <QScreen>

namespace tolvane {
namespace {

class ControlPanelTest : public UiFixture
{
protected:
    ControlPanelTest() : vcd(player.Vcd()), mouse(vcd)
    {
        panel = new ControlPanel(player, vcd);
        vcd.show();
        for (SkinButton* button : vcd.PicCtl + vcd.PicButton + vcd.PicNum)
            button->SetFace(Face(button->size()));
    }
    ~ControlPanelTest() override { CloseMenus(); }

    // A face whose pixels differ from their neighbours, so a shift shows.
    static QImage Face(QSize size)
    {
        QImage face(size, QImage::Format_RGB32);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                face.setPixel(x, y, qRgb(40 + x % 200, 60 + y % 180, 90));
        return face;
    }

    static void CloseMenus()
    {
        while (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    }

    QList<int> CheckedVolumes()
    {
        QList<int> checked;
        const FrmMenu& menu = player.Menu();
        for (int i = 0; i < menu.mVolume.size(); ++i)
            if (menu.mVolume[i]->isChecked())
                checked.append(i);
        return checked;
    }

    void RightClick(QWidget& button)
    {
        mouse.Press(Mouse::Centre(button), Qt::RightButton);
        mouse.Release(Mouse::Centre(button), Qt::RightButton);
    }

    FrmVCD& vcd;
    Mouse mouse;
    ControlPanel* panel = nullptr;
};

TEST_F(ControlPanelTest, VolumeMenuChecksOneLevelRoundingHalvesToEven)
{
    player.playback.Volume = 730;
    RightClick(*vcd.PicCtl[3]);
    EXPECT_EQ(CheckedVolumes(), QList<int>{3});
    EXPECT_TRUE(player.Menu().mVolumex->isVisible());
    CloseMenus();
    player.playback.Volume = 750;
    RightClick(*vcd.PicCtl[4]);
    EXPECT_EQ(CheckedVolumes(), QList<int>{2});
    CloseMenus();
    // The right button changes nothing by itself.
    EXPECT_EQ(player.playback.Volume, 750);
}

TEST_F(ControlPanelTest, RightClicksPopTheirMenus)
{
    const std::pair<int, QMenu*> cases[] = {{0, player.Menu().mList},
                                            {2, player.Menu().mSeekM},
                                            {5, player.Menu().mSeekM},
                                            {10, player.Menu().mSpeed},
                                            {11, player.Menu().mSpeed}};
    for (const auto& [index, menu] : cases) {
        RightClick(*vcd.PicCtl[index]);
        EXPECT_EQ(QApplication::activePopupWidget(), menu) << index;
        CloseMenus();
    }
    RightClick(*vcd.PicCtl[1]);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(ControlPanelTest, ReleaseOverAnotherButtonActsOnThePressedOne)
{
    player.playback.Volume = 500;
    mouse.Press(Mouse::Centre(*vcd.PicCtl[4]));
    mouse.Move(Mouse::Centre(*vcd.PicCtl[3]));
    mouse.Release(Mouse::Centre(*vcd.PicCtl[3]));
    EXPECT_EQ(player.playback.Volume, 600);
    EXPECT_FALSE(player.playback.TimeBusy);
    mouse.Click(Mouse::Centre(*vcd.PicCtl[3]));
    EXPECT_EQ(player.playback.Volume, 500);
}

TEST_F(ControlPanelTest, PressShiftsTheFaceAndItsIconAndReleaseRestoresThem)
{
    SkinButton& button = *vcd.PicCtl[1];
    QLabel& icon = *vcd.ImageButton1[1];
    icon.setPixmap(QPixmap(10, 8));
    icon.resize(10, 8);
    icon.move((button.width() - 10) / 2, (button.height() - 8) / 2);
    const QImage before = button.Face();
    const QPoint iconAt = icon.pos();

    mouse.Press(Mouse::Centre(button));
    const QImage pressed = button.Face();
    EXPECT_EQ(pressed.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(pressed.pixel(1, 1), before.pixel(0, 0));
    EXPECT_EQ(pressed.pixel(5, 3), before.pixel(4, 2));
    EXPECT_EQ(icon.pos(), iconAt + QPoint(1, 1));
    EXPECT_EQ(vcd.PictBack, before);

    mouse.Release(Mouse::Centre(button));
    EXPECT_EQ(button.Face(), before);
    EXPECT_EQ(icon.pos(), iconAt);
    // The stop button asked the playing control to stop.
    player.playback.PlayMode = "MP3";
    main.calls.clear();
    mouse.Click(Mouse::Centre(button));
    EXPECT_TRUE(main.calls.contains("Command:Stop"));
}

TEST_F(ControlPanelTest, HideButtonKeepsAVideoCdInThePictureArea)
{
    player.playback.PlayMode = "VCD";
    vcd.Image1->show();
    mouse.Click(Mouse::Centre(*vcd.PicCtl[12]));
    EXPECT_TRUE(vcd.isVisible());

    vcd.Image1->hide();
    mouse.Click(Mouse::Centre(*vcd.PicCtl[12]));
    EXPECT_FALSE(vcd.isVisible());
    EXPECT_TRUE(player.Temp().windowState() & Qt::WindowMinimized);
}

TEST_F(ControlPanelTest, HideButtonHidesForOtherMediaWithThePictureArea)
{
    player.playback.PlayMode = "MP3";
    vcd.Image1->show();
    mouse.Click(Mouse::Centre(*vcd.PicCtl[12]));
    EXPECT_FALSE(vcd.isVisible());
}

TEST_F(ControlPanelTest, EnlargeKeepsTheWholePartOfAQuarterMore)
{
    player.app.VideoWidth = 352;
    player.app.VideoHeight = 240;
    mouse.Click(Mouse::Centre(*vcd.PicButton[1]));
    EXPECT_EQ(player.app.VideoWidth, 440);
    EXPECT_EQ(player.app.VideoHeight, 300);
    player.app.VideoWidth = 354;
    player.app.VideoHeight = 242;
    mouse.Click(Mouse::Centre(*vcd.PicButton[1]));
    EXPECT_EQ(player.app.VideoWidth, 442);
    EXPECT_EQ(player.app.VideoHeight, 302);
}

TEST_F(ControlPanelTest, SettingsButtonHoldsTheMainWindowUntilSettingsClose)
{
    vcd.Label1->setText("old");
    mouse.Click(Mouse::Centre(*vcd.PicButton[3]));
    EXPECT_TRUE(player.Set().isVisible());
    const QRect screen = vcd.screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(player.Set().frameGeometry()))
        << player.Set().frameGeometry().bottom() << " " << screen.bottom();
    EXPECT_FALSE(vcd.isEnabled());
    EXPECT_EQ(vcd.Label1->text(), "");
    player.Set().hide();
    EXPECT_TRUE(vcd.isEnabled());
    // The right button on the settings button has no menu.
    RightClick(*vcd.PicButton[3]);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(ControlPanelTest, ColourWindowShowsSamplesAndThenTakesButtonsInsteadOfActions)
{
    SkinButton* track = vcd.PicCtl[9];
    SkinButton* knob = vcd.PicCtl[13];
    knob->move(track->x() + 40, knob->y());
    mouse.Click(Mouse::Centre(*vcd.PicButton[4]));
    FrmColor& color = player.Color();
    ASSERT_TRUE(color.isVisible());
    EXPECT_TRUE(main.calls.contains("Command:Stop"));
    EXPECT_EQ(knob->x(), track->x());
    EXPECT_EQ(vcd.Label1->text(), "-----訊息視窗-----");
    EXPECT_EQ(vcd.Label2[0]->text(), "00:00:00");
    EXPECT_EQ(vcd.Label2[1]->text(), "99:99:99");
    EXPECT_EQ(vcd.Label2[2]->text(), "<XX>");

    player.playback.Volume = 500;
    const QImage face = vcd.PicCtl[4]->Face();
    mouse.Click(Mouse::Centre(*vcd.PicCtl[4]));
    EXPECT_EQ(player.playback.Volume, 500);
    EXPECT_EQ(vcd.PicCtl[4]->Face(), face);
    EXPECT_EQ(color.Selected, vcd.PicCtl[4]);
    EXPECT_EQ(color.SelectedMask, &vcd.PicCtlBak[4]);
    EXPECT_TRUE(vcd.SelectFrame->isVisible());
    EXPECT_EQ(vcd.SelectFrame->geometry(), vcd.PicCtl[4]->geometry().adjusted(-2, -2, 2, 2));

    mouse.Click(Mouse::Centre(*vcd.PicButton[1]));
    EXPECT_EQ(color.Selected, vcd.PicButton[1]);
    EXPECT_EQ(player.app.VideoWidth, 354); // not enlarged
}

TEST_F(ControlPanelTest, TimeCursorFollowsTheDragSnapsAtBothEndsAndSeeksOnRelease)
{
    SkinButton* track = vcd.PicCtl[9];
    SkinButton* knob = vcd.PicCtl[13];
    const int last = track->x() + track->width() - knob->width();
    knob->move(track->x() + 20, knob->y());
    player.playback.PlayMode = "MP3";
    main.length = 10000;
    const QPoint start = Mouse::Centre(*track) + QPoint(track->width() / 4, 0);
    mouse.Press(start);
    EXPECT_TRUE(player.playback.ButtonHeld);
    mouse.Move(start + QPoint(15, 0));
    EXPECT_EQ(knob->x(), track->x() + 35);
    EXPECT_NEAR(player.playback.SeekTarget, 10000.0 * 35 / (last - track->x()), 1e-6);
    mouse.Move(start + QPoint(-18, 0)); // two units from the left edge
    EXPECT_EQ(knob->x(), track->x());
    mouse.Move(start + QPoint(2000, 0));
    EXPECT_EQ(knob->x(), last);
    EXPECT_DOUBLE_EQ(player.playback.SeekTarget, 10000);
    mouse.Release(start + QPoint(2000, 0));
    EXPECT_FALSE(player.playback.ButtonHeld);
    EXPECT_DOUBLE_EQ(main.position, 10000);
}

TEST_F(ControlPanelTest, DraggingTheBackgroundMovesTheWindowWithTheMouse)
{
    vcd.move(100, 80);
    const QPoint at(4, vcd.height() / 2);
    ASSERT_EQ(vcd.childAt(at) == nullptr || !qobject_cast<SkinButton*>(vcd.childAt(at)), true);
    mouse.Press(at);
    mouse.Move(at + QPoint(30, -12));
    EXPECT_EQ(vcd.pos(), QPoint(130, 68));
}

TEST_F(ControlPanelTest, ToolTipsOfTheButtons)
{
    EXPECT_EQ(vcd.PicCtl[0]->toolTip(), "播放");
    EXPECT_EQ(vcd.PicCtl[5]->toolTip(), "左鍵前進,右鍵(前進/後退)時間設定選單");
    EXPECT_EQ(vcd.PicCtl[9]->toolTip(), "左鍵按住拖曳時間游標,放開後移動生效");
    EXPECT_EQ(vcd.PicCtl[13]->toolTip(), "時間游標");
    EXPECT_EQ(vcd.PicButton[1]->toolTip(), "左鍵放大撥放視窗,右鍵撥放視窗選單");
    EXPECT_EQ(vcd.PicButton[3]->toolTip(), "左鍵設定參數");
}

// ---- number pad

class NumberPadTest : public ControlPanelTest
{
protected:
    QStringList Captions() const
    {
        QStringList captions;
        for (const QLabel* label : vcd.LabNum)
            captions.append(label->text());
        return captions;
    }
    QList<int> Green() const
    {
        QList<int> green;
        for (int i = 0; i < vcd.LabNum.size(); ++i)
            if (vcd.LabNum[i]->palette().color(QPalette::WindowText) == QColor(0, 255, 0))
                green.append(i);
        return green;
    }
};

TEST_F(NumberPadTest, AudioCdOfTwelveTracksOnTwoPages)
{
    player.playback.PlayMode = "CDAudio";
    player.device.TrackCount = 12;
    fake.mci.ClearSent();
    NumberPad pad(player);
    pad.ChkLab(true);
    EXPECT_EQ(Captions(), QStringList({"1", "2", "3", "4", "5", "6", "7", "8", "9", ">>"}));
    QStringList expected{"Set CDAudio time format tmsf "};
    for (int track = 1; track <= 9; ++track)
        expected.append("Status CDAudio length track " + QString::number(track));
    EXPECT_EQ(fake.mci.Sent(), expected);
    EXPECT_TRUE(vcd.LabNum[9]->isEnabled());

    // The page key turns to the second page and back.
    mouse.Click(Mouse::Centre(*vcd.PicNum[9]));
    EXPECT_EQ(Captions(),
              QStringList({"10", "11", "12", "13", "14", "15", "16", "17", "18", "<<"}));
    EXPECT_TRUE(vcd.LabNum[2]->isEnabled());
    EXPECT_FALSE(vcd.LabNum[3]->isEnabled());
    EXPECT_EQ(vcd.LabNum[3]->toolTip(), "");
    mouse.Click(Mouse::Centre(*vcd.PicNum[9]));
    EXPECT_EQ(vcd.LabNum[0]->text(), "1");
    EXPECT_EQ(vcd.LabNum[9]->text(), ">>");
}

TEST_F(NumberPadTest, KeysPlayTheirTrackAndDisabledKeysIgnoreClicks)
{
    VideoCd(5);
    NumberPad(player).ChkLab(true);
    EXPECT_FALSE(vcd.LabNum[9]->isEnabled()); // 5 tracks fit one page
    EXPECT_FALSE(vcd.LabNum[5]->isEnabled());
    mouse.Click(Mouse::Centre(*vcd.PicNum[5]));
    EXPECT_TRUE(separate.fileName.isEmpty());
    // A click on the key's label acts as a click on the key.
    mouse.Click(Mouse::Centre(*vcd.LabNum[2]));
    EXPECT_EQ(player.playback.TrackIndex, 2);
    EXPECT_EQ(player.playback.CurFile, "E:\\MPEGAV\\AVSEQ03.DAT");
}

TEST_F(NumberPadTest, ColourWindowOpenKeysDoNothingAndStopGoesToTheVideoInUse)
{
    VideoCd(5);
    NumberPad(player).ChkLab(true);
    player.playback.ActiveMci = 1;
    mouse.Click(Mouse::Centre(*vcd.PicButton[4]));
    EXPECT_TRUE(separate.calls.contains("Command:Stop"));
    EXPECT_FALSE(main.calls.contains("Command:Stop"));
    const QImage face = vcd.PicNum[2]->Face();
    mouse.Click(Mouse::Centre(*vcd.PicNum[2]));
    EXPECT_EQ(vcd.PicNum[2]->Face(), face);
    EXPECT_TRUE(player.playback.CurFile.isEmpty());
}

TEST_F(NumberPadTest, HighlightFollowsThePlayingItem)
{
    VideoCd(5);
    NumberPad pad(player);
    pad.ChkLab(true);
    pad.ChkLabColor(2);
    EXPECT_EQ(Green(), QList<int>{2});
    pad.ChkLabColor(4);
    EXPECT_EQ(Green(), QList<int>{4});
    EXPECT_EQ(vcd.LabNum[2]->palette().color(QPalette::WindowText), player.app.LabNumColors[2]);
    pad.ChkLabColor(-1);
    EXPECT_TRUE(Green().isEmpty());
}

} // namespace
} // namespace tolvane
