#include "app/Settings.h"
#include "fakes/FakePlatform.h"
#include "forms/FrmFindMusic.h"
#include "forms/FrmMenu.h"
#include "forms/FrmProg.h"
#include "forms/FrmSeleDir.h"
#include "forms/FrmSet.h"
#include "forms/FrmVCD.h"
#include "shell/Player.h"
#include "shell/Startup.h"
#include "ui/SettingsWindow.h"

#include "app/Text.h"

#include <QFile>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

using namespace tolvane;

namespace {

// The player started as a user starts it, with the settings store in its file, and
// the settings window used by mouse and keyboard.
class SettingsWindowUse : public ::testing::Test
{
protected:
    SettingsWindowUse()
    {
        Settings(store).SaveUserSetting("ReadMe", "1");
        startup.Main();
    }

    // Pushes a button as the mouse does; check boxes and option buttons on their box.
    static void Click(QWidget* widget)
    {
        const bool box = qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget);
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier,
                          box ? QPoint(6, widget->height() / 2) : widget->rect().center());
    }
    void ClickRow(int row)
    {
        QListWidgetItem* item = set.List1->item(row);
        set.List1->scrollToItem(item);
        QTest::mouseClick(set.List1->viewport(), Qt::LeftButton, Qt::NoModifier,
                          set.List1->visualItemRect(item).center());
    }
    void OpenByButton() { Click(vcd.PicButton[3]); }
    // What the settings store's file holds, read by a store of its own.
    QString Stored(const QString& key) const
    {
        FileRegistry fresh(storePath);
        return Settings(fresh).GetUserSetting(key, "<missing>");
    }
    Platform With(Registry& registry)
    {
        return {fake.drives,
                fake.files,
                registry,
                fake.prompter,
                fake.clock,
                fake.instance,
                fake.process,
                fake.mci,
                fake.events,
                fake.trays,
                CodePage(950),
                fake.platform.windowsFolder,
                fake.platform.programFolder,
                fake.engine};
    }
    QList<int> SelectedRows() const
    {
        QList<int> rows;
        for (int i = 0; i < set.List1->count(); ++i)
            if (set.List1->item(i)->isSelected())
                rows.append(i);
        return rows;
    }
    QList<bool> Shown(const std::array<QPushButton*, 4>& buttons) const
    {
        QList<bool> shown;
        for (const QPushButton* button : buttons)
            shown.append(!button->isHidden());
        return shown;
    }

    FakePlatform fake;
    QString storePath = FileRegistry::DefaultPath(fake.home);
    FileRegistry store{storePath};
    Platform platform = With(store);
    Player player{platform};
    Startup startup{player};
    FrmVCD& vcd = player.forms.Vcd();
    FrmSet& set = player.forms.Set();
    const QString& pattern = player.context.app.SearchPattern;
};

TEST_F(SettingsWindowUse, OpenedCentredOnTheMainWindowWhichWaitsUntilItCloses)
{
    const QRect screen = vcd.screen()->availableGeometry();
    struct Case
    {
        const char* name;
        std::function<void()> open;
        std::function<void()> close;
        QPoint mainAt;
    };
    const QPoint middle = screen.center() - QPoint(vcd.width() / 2, vcd.height() / 2);
    const Case cases[] = {
        {"button, OK", [&] { OpenByButton(); }, [&] { Click(set.Command2); }, middle},
        {"menu, Cancel", [&] { player.forms.Menu().mTool->trigger(); },
         [&] { Click(set.Command3); }, middle},
        {"button, close box", [&] { OpenByButton(); }, [&] { set.close(); }, screen.topLeft()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        vcd.move(c.mainAt);
        vcd.setWindowFlag(Qt::WindowStaysOnTopHint, true);
        vcd.show();
        player.context.playback.Volume = 500;
        c.open();
        ASSERT_TRUE(set.isVisible());
        EXPECT_FALSE(vcd.isEnabled());
        EXPECT_FALSE(vcd.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_TRUE(screen.contains(set.frameGeometry())) << set.frameGeometry().bottom();
        if (c.mainAt == middle) {
            // Before the window manager frames the window, its title bar is a guess.
            const QPoint off = set.frameGeometry().center() - vcd.frameGeometry().center();
            EXPECT_LE(std::abs(off.x()), 2);
            EXPECT_LE(std::abs(off.y()), 30);
        }
        // The main window takes no clicks meanwhile.
        Click(vcd.PicCtl[4]);
        EXPECT_EQ(player.context.playback.Volume, 500);
        c.close();
        EXPECT_FALSE(set.isVisible());
        EXPECT_TRUE(vcd.isEnabled());
    }
}

TEST_F(SettingsWindowUse,
       AddingAFileTypeByKeyboardStoresItAsEntryEightAndItsSelectionSteersThePattern)
{
    OpenByButton();
    Click(set.Command5[0]);
    EXPECT_EQ(Shown(set.Command5), QList<bool>({false, false, true, true}));
    EXPECT_TRUE(set.Text4->isEnabled());
    QTest::keyClicks(set.Text4, "Real (*.rm)");
    Click(set.Command5[2]);
    ASSERT_EQ(set.List1->count(), 9);
    EXPECT_EQ(set.List1->item(8)->text(), "Real (*.rm)");
    EXPECT_EQ(Shown(set.Command5), QList<bool>({true, true, false, false}));
    EXPECT_FALSE(set.Text4->isEnabled());
    EXPECT_EQ(pattern, "CDA;DAT;AVI;MP3;MID;RM");
    // Clicks toggle it out of the search and back in.
    ClickRow(8);
    EXPECT_EQ(pattern, "CDA;DAT;AVI;MP3;MID");
    ClickRow(8);
    EXPECT_EQ(pattern, "CDA;DAT;AVI;MP3;MID;RM");
    EXPECT_EQ(set.Text4->text(), "Real (*.rm)");
    Click(set.Command2);
    EXPECT_EQ(QStringList({Stored("FileTypeText8"), Stored("FileType8"), Stored("FileTypeText9")}),
              QStringList({"Real (*.rm)", "True", ""}));

    // Cancelled or blank additions add nothing.
    OpenByButton();
    for (QPushButton* end : {set.Command5[3], set.Command5[2]}) {
        Click(set.Command5[0]);
        QTest::keyClicks(set.Text4, end == set.Command5[3] ? "Cancelled (*.xx)" : "   ");
        Click(end);
        EXPECT_EQ(set.List1->count(), 9);
        EXPECT_FALSE(set.Text4->isEnabled());
    }
}

TEST_F(SettingsWindowUse, DeletingIsOfferedFromEntrySevenOnAndAsked)
{
    OpenByButton();
    for (auto [row, offered] : {std::pair{0, false}, {6, false}, {7, true}}) {
        ClickRow(row);
        EXPECT_EQ(set.Command5[1]->isEnabled(), offered) << row;
        EXPECT_EQ(set.Text4->text(), set.List1->item(row)->text());
    }
    // Entry 6 is refused even when the procedure is reached some other way.
    ClickRow(6);
    player.settingsWindow.Command5Click(1);
    EXPECT_TRUE(fake.prompter.shown.isEmpty());

    ClickRow(7);
    fake.prompter.answers = {kIdNo, kIdYes};
    Click(set.Command5[1]);
    ASSERT_EQ(fake.prompter.shown.size(), 1);
    EXPECT_EQ(fake.prompter.shown[0].prompt, "MPEG (*.mpg)\r\n是否確定要刪除本格式?");
    EXPECT_EQ(fake.prompter.shown[0].style, kMbYesNo | kMbIconQuestion);
    EXPECT_EQ(set.List1->count(), 8);
    Click(set.Command5[1]);
    ASSERT_EQ(set.List1->count(), 7);
    // The entry before it is selected and current.
    EXPECT_EQ(set.List1->currentRow(), 6);
    EXPECT_EQ(set.Text4->text(), "Audio (*.wav)");
    // (The clicks above took entry 0 out of the search.)
    EXPECT_EQ(SelectedRows(), QList<int>({1, 2, 4, 5, 6}));
    EXPECT_EQ(pattern, "DAT;AVI;MP3;MID;WAV");
    EXPECT_FALSE(set.Command5[1]->isEnabled());
    Click(set.Command2);
    EXPECT_EQ(Stored("FileTypeText7"), "");

    // The built-in entry is back at the next start, out of the search.
    FileRegistry again(storePath);
    Platform nextPlatform = With(again);
    Player next(nextPlatform);
    next.settingsWindow.Load();
    ASSERT_EQ(next.forms.Set().List1->count(), 8);
    EXPECT_EQ(next.forms.Set().List1->item(7)->text(), "MPEG (*.mpg)");
    EXPECT_FALSE(next.forms.Set().List1->item(7)->isSelected());
}

TEST_F(SettingsWindowUse, CancelKeepsTheEditsAndWritesNothingTheNextOkWritesThem)
{
    OpenByButton();
    Click(set.Option2[1]);
    Click(set.Check7);
    QTest::keyClicks(set.Text7, "\\Shots");
    const QByteArray before = fake.ReadBytes("C:\\.local\\share\\tolvane99\\registry.reg");
    Click(set.Command3);
    EXPECT_EQ(fake.ReadBytes("C:\\.local\\share\\tolvane99\\registry.reg"), before);
    OpenByButton();
    EXPECT_TRUE(set.Option2[1]->isChecked());
    EXPECT_TRUE(set.Check7->isChecked());
    EXPECT_EQ(set.Text7->text(), "c:\\Temp\\Shots");
    Click(set.Command2);
    EXPECT_EQ(
        QStringList({Stored("StopMode1"), Stored("StopMode2"), Stored("GameCD"), Stored("CutDir")}),
        QStringList({"False", "True", "1", "c:\\Temp\\Shots"}));
    EXPECT_TRUE(fake.files.FolderExists("C:\\Temp\\Shots"));
}

TEST_F(SettingsWindowUse, FolderButtonsTakeTheFolderChosenAndKeepTheirsOtherwise)
{
    fake.files.MakeFolder("C:\\Picked");
    OpenByButton();
    Click(set.Check3); // the song folder's field and button are off until it is ticked
    struct Case
    {
        QPushButton* button;
        QLineEdit* field;
        QString pattern;
        const char* key;
    };
    const Case cases[] = {{set.Command4, set.Text2, "*.*", "ButtonTempDir"},
                          {set.Command6, set.Text5, "*.*", "SongTempDir"},
                          {set.Command9, set.Text7, "*.*", "CutDir"},
                          {set.Command1, set.Text1, "*.jpg;*.bmp;*.gif", "ShowPicFIle"}};
    enum Outcome { Cancel, CloseBox, Ok };
    FrmSeleDir& chooser = player.forms.SeleDir();
    for (const Case& c : cases) {
        for (Outcome outcome : {Cancel, CloseBox, Ok}) {
            SCOPED_TRACE(std::string(c.key) + " " + std::to_string(outcome));
            const QString old = c.field->text();
            QString startedAt;
            bool held = false;
            fake.clock.onWait = [&] {
                startedAt = player.context.app.Chooser.Path;
                held = !set.isEnabled() && chooser.isVisible();
                EXPECT_EQ(chooser.Text1->text(), c.pattern);
                if (outcome == Ok) {
                    chooser.Dir1->SetPath("C:\\Picked");
                    Click(chooser.Command5);
                } else if (outcome == Cancel) {
                    Click(chooser.Command6);
                } else {
                    chooser.close();
                }
            };
            Click(c.button);
            EXPECT_EQ(startedAt, old);
            EXPECT_TRUE(held);
            EXPECT_TRUE(set.isEnabled());
            EXPECT_FALSE(vcd.isEnabled());
            EXPECT_EQ(c.field->text(), outcome == Ok ? chooser.Dir1->Path() : old);
        }
    }
    fake.clock.onWait = nullptr;
    Click(set.Command2);
    for (const Case& c : cases)
        EXPECT_EQ(Stored(c.key), "C:\\Picked") << c.key;
}

TEST_F(SettingsWindowUse, SkinPictureFieldFollowsTheSkinInUseAndTheFileDialog)
{
    const QString ocean = "C:\\Tolvane99\\Skin\\Ocean.jpg";
    // The first run stores no skin picture; the field shows the one in use.
    OpenByButton();
    EXPECT_EQ(set.Text6->text(), "C:\\Tolvane99\\Desk\\Tolvan.JPG");
    QStringList asked;
    QString answer;
    player.settingsWindow.chooseFile = [&](const QString& folder, const QString& filter) {
        asked = QStringList({folder, filter});
        return answer;
    };
    Click(set.Command7); // cancelled
    EXPECT_EQ(asked, QStringList({"C:\\Tolvane99\\Desk",
                                  "Allfile(*.jpg;*.bmp)|*.jpg;*.bmp;|*.jpg|*.jpg|*.bmp|*.bmp"}));
    EXPECT_EQ(set.Text6->text(), "C:\\Tolvane99\\Desk\\Tolvan.JPG");
    answer = ocean;
    Click(set.Command7);
    EXPECT_EQ(set.Text6->text(), ocean);
    // Cancelled, the edit stays for the next time.
    Click(set.Command3);
    OpenByButton();
    EXPECT_EQ(set.Text6->text(), ocean);
    Click(set.Command3);

    // A skin chosen from the menu meanwhile is the one the window shows and keeps.
    player.skins.SkinMenuClick(ocean);
    OpenByButton();
    EXPECT_EQ(set.Text6->text(), ocean);
    Click(set.Command2);
    EXPECT_EQ(QStringList({Stored("DeskPic"), player.context.app.CurrentSkinPicture}),
              QStringList({ocean, ocean}));
}

TEST(SettingsWindowFilters, PairsOfDescriptionAndPatternsBecomeNameFilters)
{
    const std::pair<QString, QStringList> cases[] = {
        {"Allfile(*.jpg;*.bmp)|*.jpg;*.bmp;|*.jpg|*.jpg|*.bmp|*.bmp",
         {"Allfile(*.jpg;*.bmp) (*.jpg *.bmp)", "*.jpg (*.jpg)", "*.bmp (*.bmp)"}},
        {"List File (*.m3u)|*.m3u", {"List File (*.m3u) (*.m3u)"}},
        {"no patterns|;|lonely", {}},
        {"", {}},
    };
    for (const auto& [filter, expected] : cases)
        EXPECT_EQ(SettingsWindow::NameFilters(filter), expected) << filter.toStdString();
}

TEST_F(SettingsWindowUse, PictureShowControlsFollowTheirSwitchesAndTheIntervalIsApplied)
{
    OpenByButton();
    auto enabled = [&] {
        QList<bool> on;
        for (QWidget* w : std::initializer_list<QWidget*>{set.Text1, set.Command1, set.Option3[0],
                                                          set.Option3[1], set.Text3, set.VScroll1})
            on.append(w->isEnabled());
        return on;
    };
    const QList<bool> all(6, true), none(6, false), modes = {true, true, true, true, false, false};
    EXPECT_EQ(enabled(), modes);
    const std::pair<QWidget*, QList<bool>> steps[] = {
        {set.Option3[1], all}, {set.Check1, none}, {set.Check1, all}, {set.Option3[0], modes}};
    for (const auto& [clicked, expected] : steps) {
        Click(clicked);
        EXPECT_EQ(enabled(), expected);
    }
    Click(set.Option3[1]);
    // Down is longer, by the arrow key and by the arrow at the bottom.
    QTest::keyClick(set.VScroll1, Qt::Key_Down);
    EXPECT_EQ(set.Text3->text(), "6");
    QTest::mouseClick(set.VScroll1, Qt::LeftButton, Qt::NoModifier,
                      QPoint(set.VScroll1->width() / 2, set.VScroll1->height() - 3));
    EXPECT_EQ(set.Text3->text(), "7");

    Click(set.Check3);
    EXPECT_EQ(QList<bool>({set.Text5->isEnabled(), set.Command6->isEnabled(),
                           player.context.app.LyricsMapping}),
              QList<bool>({true, true, true}));
    Click(set.Command2);
    EXPECT_EQ(QStringList({Stored("ShowTime"), Stored("ShowMode1"), Stored("CreatSongDir")}),
              QStringList({"7", "True", "1"}));
    EXPECT_EQ(vcd.TimerBMP->interval(), 7000);
}

TEST_F(SettingsWindowUse, OkShowsTheBackgroundPictureOnlyWhereTheSkinHasAPictureArea)
{
    fake.files.MakeFolder("C:\\Pics");
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    picture.save(fake.LocalPath("C:\\Pics") + "/a.jpg", "JPG");
    picture.save(fake.LocalPath("C:\\Pics") + "/b.bmp", "BMP");
    for (auto [area, show] : {std::pair{true, true}, {false, true}, {true, false}}) {
        SCOPED_TRACE(QString("area %1 show %2").arg(area).arg(show).toStdString());
        player.context.skin.PictureVisible = area;
        vcd.Image1->clear();
        OpenByButton();
        if (set.Check1->isChecked() != show)
            Click(set.Check1);
        if (set.Text1->text().isEmpty())
            QTest::keyClicks(set.Text1, "C:\\Pics");
        Click(set.Command2);
        EXPECT_EQ(player.context.app.BackgroundPicture, "C:\\Pics\\a.jpg");
        EXPECT_EQ(vcd.Image1->isVisible(), area && show);
        EXPECT_EQ(vcd.Image1->pixmap().isNull(), !show);
    }
}

TEST_F(SettingsWindowUse, ClearingTheButtonCacheDeletesItAndMakesTheFacesAgain)
{
    const QString cache = player.context.app.ButtonCacheFolder;
    const QString first = PathJoin(cache, "Tolvan-00.Bmp");
    ASSERT_TRUE(fake.files.FileExists(first));
    QFile(fake.LocalPath(cache) + "/Stale.bmp").open(QIODevice::WriteOnly);
    QStringList progress;
    fake.clock.onDoEvents = [&] {
        const QString text = player.forms.Prog().Label1->text();
        if (player.forms.Prog().isVisible() && progress.value(progress.size() - 1) != text)
            progress.append(text);
    };
    const qsizetype logged = fake.LogTexts().size();
    OpenByButton();
    Click(set.Command10);
    EXPECT_FALSE(fake.files.FileExists(PathJoin(cache, "Stale.bmp")));
    EXPECT_TRUE(fake.files.FileExists(first));
    EXPECT_EQ(progress.value(0), "正在刪除舊的快取資料中!!");
    EXPECT_FALSE(player.forms.Prog().isVisible());
    EXPECT_TRUE(set.Command10->isEnabled());
    const QStringList texts = fake.LogTexts().mid(logged);
    EXPECT_EQ(texts.value(0), "開始載入面板-C:\\Tolvane99\\Desk\\Tolvan.JPG");
    EXPECT_TRUE(texts.contains("產生按鈕-" + first)) << texts.join('\n').toStdString();
}

TEST_F(SettingsWindowUse, SongBookButtonOpensTheSongSearchWindow)
{
    OpenByButton();
    Click(set.Command8);
    EXPECT_TRUE(player.forms.FindMusic().isVisible());
}

// The whole way by clicks: a quieter volume on the main window, a file type more in the
// settings, confirmed, and the program ended; the store's file holds both.
TEST_F(SettingsWindowUse, ScriptedRunLeavesTheNewValuesInTheStoresFile)
{
    Click(vcd.PicCtl[3]);
    OpenByButton();
    EXPECT_EQ(set.Label4->text(), "90%");
    ClickRow(3);
    Click(set.Command2);
    EXPECT_EQ(Stored("FileType3"), "True");
    Click(vcd.PicCtl[8]);
    ASSERT_TRUE(player.context.Ended());
    QFile file(storePath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    for (const char* line : {"\"FileType3\"=\"True\"", "\"Volume\"=\"900\"",
                             "\"FileTypeText3\"=\"Quick Time (*.mov)\""})
        EXPECT_TRUE(text.contains(line)) << line;
    EXPECT_EQ(QStringList({Stored("Volume"), Stored("FileType3")}), QStringList({"900", "True"}));
}

} // namespace
