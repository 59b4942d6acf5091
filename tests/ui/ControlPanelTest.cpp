#include "ui/ControlPanel.h"
#include "forms/FrmColor.h"
#include "forms/FrmTemp.h"
#include "ui/NumberPad.h"
#include "ui/UiFixture.h"

#include <QScreen>

namespace tolvane {
namespace {

class ControlPanelTest : public UiFixture
{
protected:
    ControlPanelTest() : vcd(player.forms.Vcd()), mouse{vcd}
    {
        new ControlPanel(player.PanelActions(), vcd); // a child of the window
        vcd.show();
        // Faces whose pixels differ from their neighbours, so a shift shows.
        for (SkinButton* button : vcd.PicCtl + vcd.PicButton + vcd.PicNum) {
            QImage face(button->size(), QImage::Format_RGB32);
            for (int y = 0; y < face.height(); ++y)
                for (int x = 0; x < face.width(); ++x)
                    face.setPixel(x, y, qRgb(40 + x % 200, 60 + y % 180, 90));
            button->SetFace(face);
        }
    }

    // The number keys' captions and the ones lit as playing.
    QStringList Captions() const
    {
        QStringList captions;
        for (const QLabel* label : vcd.LabNum)
            captions.append(label->text());
        return captions;
    }
    QList<int> Green() const
    {
        return Which(vcd.LabNum, [](const QLabel* label) {
            return label->palette().color(QPalette::WindowText) == QColor(0, 255, 0);
        });
    }

    FrmVCD& vcd;
    Mouse mouse;
    SkinButton* track = vcd.PicCtl[9];
    SkinButton* knob = vcd.PicCtl[13];
};

TEST_F(ControlPanelTest, RightClicksPopTheirMenusAndChangeNothing)
{
    const FrmMenu& menu = player.forms.Menu();
    const std::pair<SkinButton*, QMenu*> cases[] = {
        {vcd.PicCtl[0], menu.mList},    {vcd.PicCtl[2], menu.mSeekM},
        {vcd.PicCtl[3], menu.mVolumex}, {vcd.PicCtl[4], menu.mVolumex},
        {vcd.PicCtl[5], menu.mSeekM},   {vcd.PicCtl[10], menu.mSpeed},
        {vcd.PicCtl[11], menu.mSpeed},  {vcd.PicCtl[1], nullptr},
        {vcd.PicButton[3], nullptr}};
    player.context.playback.Volume = 730;
    for (const auto& [button, popup] : cases) {
        mouse.Click(*button, Qt::RightButton);
        EXPECT_EQ(QApplication::activePopupWidget(), popup) << button->objectName().toStdString();
        CloseMenus();
    }
    EXPECT_EQ(player.context.playback.Volume, 730);
}

TEST_F(ControlPanelTest, ReleaseOverAnotherButtonActsOnThePressedOne)
{
    player.context.playback.Volume = 500;
    mouse.Press(Mouse::Centre(*vcd.PicCtl[4]));
    mouse.Move(Mouse::Centre(*vcd.PicCtl[3]));
    mouse.Release(Mouse::Centre(*vcd.PicCtl[3]));
    EXPECT_EQ(player.context.playback.Volume, 600);
    EXPECT_FALSE(player.context.playback.TimeBusy);
    mouse.Click(*vcd.PicCtl[3]);
    EXPECT_EQ(player.context.playback.Volume, 500);
}

TEST_F(ControlPanelTest, PressShiftsTheFaceAndItsIconAndReleaseRestoresThem)
{
    SkinButton& button = *vcd.PicCtl[1];
    QLabel& icon = *vcd.ImageButton1[1];
    icon.setPixmap(QPixmap(10, 8));
    icon.setGeometry((button.width() - 10) / 2, (button.height() - 8) / 2, 10, 8);
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
}

TEST_F(ControlPanelTest, HideButtonKeepsOnlyAVideoCdInThePictureArea)
{
    // Play mode, picture area shown, panel kept.
    for (auto [mode, pictureArea, kept] : {std::tuple{MediaMode::Vcd, true, true},
                                           {MediaMode::Vcd, false, false},
                                           {MediaMode::Mp3, true, false}}) {
        SCOPED_TRACE(ModeTag(mode).toStdString() + (pictureArea ? " in the picture area" : ""));
        vcd.show();
        player.forms.Temp().setWindowState(Qt::WindowNoState);
        player.context.playback.PlayMode = mode;
        vcd.Image1->setVisible(pictureArea);
        mouse.Click(*vcd.PicCtl[12]);
        EXPECT_EQ(vcd.isVisible(), kept);
        EXPECT_EQ(bool(player.forms.Temp().windowState() & Qt::WindowMinimized), !kept);
    }
}

TEST_F(ControlPanelTest, EnlargeKeepsTheWholePartOfAQuarterMore)
{
    // Room for the larger video beside a main window 300 pixels wide.
    player.context.skin.ScreenWidth = 1024;
    player.context.skin.ScreenHeight = 768;
    player.context.skin.WindowWidth = 300 * 15;
    for (const auto& [from, to] : {std::pair{QSize(352, 240), QSize(440, 300)},
                                   std::pair{QSize(354, 242), QSize(442, 302)}}) {
        player.context.app.VideoWidth = from.width();
        player.context.app.VideoHeight = from.height();
        mouse.Click(*vcd.PicButton[1]);
        EXPECT_EQ(QSize(player.context.app.VideoWidth, player.context.app.VideoHeight), to);
    }
}

TEST_F(ControlPanelTest, SettingsButtonHoldsTheMainWindowUntilSettingsClose)
{
    vcd.Label1->setText("old");
    mouse.Click(*vcd.PicButton[3]);
    EXPECT_TRUE(player.forms.Set().isVisible());
    const QRect screen = vcd.screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(player.forms.Set().frameGeometry()))
        << player.forms.Set().frameGeometry().bottom() << " " << screen.bottom();
    EXPECT_FALSE(vcd.isEnabled());
    EXPECT_EQ(vcd.Label1->text(), "");
    player.forms.Set().hide();
    EXPECT_TRUE(vcd.isEnabled());
}

TEST_F(ControlPanelTest, ColourWindowShowsSamplesAndThenTakesButtonsInsteadOfActions)
{
    knob->move(track->x() + 40, knob->y());
    mouse.Click(*vcd.PicButton[4]);
    FrmColor& color = player.forms.Color();
    ASSERT_TRUE(color.isVisible());
    EXPECT_TRUE(main.calls.contains("Command:Stop"));
    EXPECT_EQ(knob->x(), track->x());
    EXPECT_EQ(vcd.Label1->text(), "-----訊息視窗-----");
    EXPECT_EQ(vcd.Label2[0]->text(), "00:00:00");
    EXPECT_EQ(vcd.Label2[1]->text(), "99:99:99");
    EXPECT_EQ(vcd.Label2[2]->text(), "<XX>");

    player.context.playback.Volume = 500;
    const QImage face = vcd.PicCtl[4]->Face();
    mouse.Click(*vcd.PicCtl[4]);
    EXPECT_EQ(player.context.playback.Volume, 500);
    EXPECT_EQ(vcd.PicCtl[4]->Face(), face);
    EXPECT_EQ(color.Selected, vcd.PicCtl[4]);
    EXPECT_EQ(color.SelectedMask, &vcd.PicCtlBak[4]);
    EXPECT_TRUE(vcd.SelectFrame->isVisible());
    EXPECT_EQ(vcd.SelectFrame->geometry(), vcd.PicCtl[4]->geometry().adjusted(-2, -2, 2, 2));

    mouse.Click(*vcd.PicButton[1]);
    EXPECT_EQ(color.Selected, vcd.PicButton[1]);
    EXPECT_EQ(player.context.app.VideoWidth, 354); // not enlarged
}

TEST_F(ControlPanelTest, TimeCursorFollowsTheDragSeeksOnReleaseAndTheBackgroundMovesTheWindow)
{
    const int last = track->x() + track->width() - knob->width();
    knob->move(track->x() + 20, knob->y());
    player.context.playback.PlayMode = MediaMode::Mp3;
    main.length = 10000;
    const QPoint start = Mouse::Centre(*track) + QPoint(track->width() / 4, 0);
    mouse.Press(start);
    EXPECT_TRUE(player.context.playback.ButtonHeld);
    mouse.Move(start + QPoint(15, 0));
    EXPECT_EQ(knob->x(), track->x() + 35);
    EXPECT_NEAR(player.context.playback.SeekTarget, 10000.0 * 35 / (last - track->x()), 1e-6);
    mouse.Move(start + QPoint(-18, 0)); // two units from the left edge
    EXPECT_EQ(knob->x(), track->x());
    mouse.Move(start + QPoint(2000, 0));
    EXPECT_EQ(knob->x(), last);
    EXPECT_DOUBLE_EQ(player.context.playback.SeekTarget, 10000);
    mouse.Release(start + QPoint(2000, 0));
    EXPECT_FALSE(player.context.playback.ButtonHeld);
    EXPECT_DOUBLE_EQ(main.position, 10000);

    // Dragging the background moves the window with the mouse.
    vcd.move(100, 80);
    const QPoint at(4, vcd.height() / 2);
    ASSERT_EQ(qobject_cast<SkinButton*>(vcd.childAt(at)), nullptr);
    mouse.Press(at);
    mouse.Move(at + QPoint(30, -12));
    EXPECT_EQ(vcd.pos(), QPoint(130, 68));
}

// ---- number pad

TEST_F(ControlPanelTest, NumberPadAudioCdOfTwelveTracksOnTwoPages)
{
    player.context.playback.PlayMode = MediaMode::CdAudio;
    player.context.device.TrackCount = 12;
    fake.mci.ClearSent();
    player.numberPad.ChkLab(true);
    EXPECT_EQ(Captions(), QStringList({"1", "2", "3", "4", "5", "6", "7", "8", "9", ">>"}));
    QStringList expected{"Set CDAudio time format tmsf "};
    for (int track = 1; track <= 9; ++track)
        expected.append("Status CDAudio length track " + QString::number(track));
    EXPECT_EQ(fake.mci.Sent(), expected);
    EXPECT_TRUE(vcd.LabNum[9]->isEnabled());

    // The page key turns to the second page and back.
    mouse.Click(*vcd.PicNum[9]);
    EXPECT_EQ(Captions(),
              QStringList({"10", "11", "12", "13", "14", "15", "16", "17", "18", "<<"}));
    EXPECT_TRUE(vcd.LabNum[2]->isEnabled());
    EXPECT_FALSE(vcd.LabNum[3]->isEnabled());
    EXPECT_EQ(vcd.LabNum[3]->toolTip(), "");
    mouse.Click(*vcd.PicNum[9]);
    EXPECT_EQ(vcd.LabNum[0]->text(), "1");
    EXPECT_EQ(vcd.LabNum[9]->text(), ">>");
}

TEST_F(ControlPanelTest,
       NumberPadVideoCdKeysPlayTheirTrackHighlightItAndAreIdleUnderTheColourWindow)
{
    VideoCd(5);
    NumberPad& pad = player.numberPad;
    pad.ChkLab(true);
    EXPECT_FALSE(vcd.LabNum[9]->isEnabled()); // 5 tracks fit one page
    EXPECT_FALSE(vcd.LabNum[5]->isEnabled());
    mouse.Click(*vcd.PicNum[5]);
    EXPECT_TRUE(separate.fileName.isEmpty());
    // A click on the key's label acts as a click on the key.
    mouse.Click(*vcd.LabNum[2]);
    EXPECT_EQ(player.context.playback.TrackIndex, 2);
    EXPECT_EQ(player.context.playback.CurFile, "E:\\MPEGAV\\AVSEQ03.DAT");

    pad.ChkLabColor(2);
    EXPECT_EQ(Green(), QList<int>{2});
    pad.ChkLabColor(4);
    EXPECT_EQ(Green(), QList<int>{4});
    EXPECT_EQ(vcd.LabNum[2]->palette().color(QPalette::WindowText),
              player.context.app.LabNumColors[2]);
    pad.ChkLabColor(-1);
    EXPECT_TRUE(Green().isEmpty());

    // With the colour window open keys do nothing and stop goes to the video in use.
    player.context.playback.ActiveMci = 1;
    main.calls.clear();
    separate.calls.clear();
    mouse.Click(*vcd.PicButton[4]);
    EXPECT_TRUE(separate.calls.contains("Command:Stop"));
    EXPECT_FALSE(main.calls.contains("Command:Stop"));
    const QImage face = vcd.PicNum[3]->Face();
    mouse.Click(*vcd.PicNum[3]);
    EXPECT_EQ(vcd.PicNum[3]->Face(), face);
    EXPECT_EQ(player.context.playback.TrackIndex, 2);
}

} // namespace
} // namespace tolvane
