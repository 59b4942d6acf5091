#include "ui/PlayListWindow.h"
#include "fakes/FakeSystemVolume.h"
#include "forms/FrmSongSet.h"
#include "lyrics/ListFile.h"
#include "platform/MediaFixtures.h"
#include "ui/UiFixture.h"

#include <QKeyEvent>

namespace tolvane {
namespace {

// The play list window over songs E:\Music\a01.mp3 to a03.mp3, its dialogs answered
// from `answer` and remembered.
class PlayListTest : public UiFixture
{
protected:
    PlayListTest()
    {
        Songs("Music", 3);
        fake.files.MakeFolder("C:\\Lists");
        player.context.app.SongFolder = "C:\\Temp";
        player.context.app.SearchPattern = "MP3";
        list.fileDialog = [this](const ListDialog& ask) {
            asked.append(ask);
            return answer;
        };
    }

    // The rows as "name|folder".
    QStringList Rows()
    {
        QStringList rows;
        for (const ListRows::Row& row : window().Rows.Rows())
            rows.append(row.name + "|" + row.folder);
        return rows;
    }
    void AddRows(const QStringList& names)
    {
        QList<ListRows::Row> rows;
        for (const QString& name : names)
            rows.append({name, "E:\\Music"});
        window().Rows.Append(rows);
    }
    void Select(int row) { window().ListView1->setCurrentIndex(window().Rows.index(row, 0)); }
    QList<int> Selection()
    {
        QList<int> rows;
        for (const QModelIndex& index : window().ListView1->selectionModel()->selectedRows())
            rows.append(index.row());
        return rows;
    }
    FrmSongSet& window() { return player.forms.SongSet(); }

    PlayListWindow& list = player.playList;
    QList<ListDialog> asked;
    QString answer;
};

TEST_F(PlayListTest, BrowsedFilesAreSavedAsFullPathsAndLoadedAgain)
{
    fake.clock.onWait = [&] {
        FrmSongSet& w = window();
        EXPECT_EQ(w.Combo1->currentText(), "*.MP3");
        w.Dir1->SetPath("E:\\Music");
        EXPECT_EQ(w.Label1->text(), "3 Files");
        w.File1->item(0)->setSelected(true);
        w.File1->item(2)->setSelected(true);
        w.Command1->click();
        w.File1->item(1)->setSelected(true);
        Q_EMIT w.File1->itemDoubleClicked(w.File1->item(1));
        EXPECT_TRUE(w.File1->selectedItems().isEmpty());
        list.Timer1Timer();
        answer = "C:\\Lists\\mine.m3u";
        w.Command3->click();
        w.Command8->click();
        w.Command4->click();
        w.Command6->click();
    };
    list.mPath1_Click();
    EXPECT_EQ(fake.ReadBytes("C:\\Lists\\mine.m3u"),
              "E:\\Music\\a01.mp3\r\nE:\\Music\\a03.mp3\r\nE:\\Music\\a02.mp3\r\n");
    EXPECT_EQ(Rows(), QStringList({"a01.mp3|E:\\Music", "a03.mp3|E:\\Music", "a02.mp3|E:\\Music"}));
    ASSERT_EQ(asked.size(), 2);
    EXPECT_EQ(QStringList({asked[0].folder, asked[0].name, asked[0].filter, asked[0].suffix}),
              QStringList({"C:\\Temp", "unknow", "List File (*.m3u)", "m3u"}));
    EXPECT_EQ(std::tuple(asked[0].save, asked[1].save, asked[1].folder, asked[1].name),
              std::tuple(true, false, QString("C:\\Lists"), QString("mine")));
    EXPECT_EQ(window().windowTitle(), "播放清單設定 - C:\\Lists\\mine.m3u - C:\\Lists\\mine.m3u");
    EXPECT_EQ(player.context.app.ListFile, "C:\\Lists\\mine.m3u");
    // Left without playing: nothing stored, nothing handed over.
    EXPECT_EQ(player.context.settings.GetUserSetting("ListFile", "none"), "none");
    EXPECT_EQ(std::tuple(list.ListPlayCount, player.context.device.TrackCount), std::tuple(0, 0));
}

TEST_F(PlayListTest, MovesExchangeOrCarryTheSelectedRowAndTheSelectionFollows)
{
    const struct
    {
        int selected;
        QPushButton* FrmSongSet::*button;
        const char* order;
        int after;
    } cases[] = {
        {2, &FrmSongSet::Command9, "ACBD", 1},  {2, &FrmSongSet::Command10, "CABD", 0},
        {1, &FrmSongSet::Command11, "ACBD", 2}, {1, &FrmSongSet::Command12, "ACDB", 3},
        {0, &FrmSongSet::Command9, "ABCD", 0},  {0, &FrmSongSet::Command10, "ABCD", 0},
        {3, &FrmSongSet::Command11, "ABCD", 3}, {3, &FrmSongSet::Command12, "ABCD", 3},
    };
    for (const auto& c : cases) {
        window().Rows.Clear();
        AddRows({"A", "B", "C", "D"});
        Select(c.selected);
        list.Timer1Timer();
        (window().*c.button)->click();
        QString order;
        for (const ListRows::Row& row : window().Rows.Rows())
            order += row.name;
        EXPECT_EQ(order, c.order) << c.selected << " " << c.order;
        EXPECT_EQ(Selection(), QList<int>{c.after}) << c.order;
        EXPECT_EQ(window().ListView1->currentIndex().row(), c.after) << c.order;
    }
}

TEST_F(PlayListTest, TheTimerEnablesWhatTheRowsAndTheSelectionAllow)
{
    const struct
    {
        int rows;
        bool selected;
        bool editing; // delete, save as, clear all
        bool moving;
        bool starting;
    } cases[] = {{0, false, false, false, false},
                 {2, false, true, false, true},
                 {2, true, true, true, true}};
    for (const auto& c : cases) {
        window().Rows.Clear();
        AddRows(QStringList({"a01.mp3", "a02.mp3"}).mid(0, c.rows));
        if (c.selected)
            Select(1);
        list.Timer1Timer();
        FrmSongSet& w = window();
        for (QPushButton* button : {w.Command2, w.Command3, w.Command7})
            EXPECT_EQ(button->isEnabled(), c.editing) << c.rows << c.selected;
        for (QPushButton* button : {w.Command9, w.Command10, w.Command11, w.Command12})
            EXPECT_EQ(button->isEnabled(), c.moving) << c.rows << c.selected;
        EXPECT_EQ(w.Command5->isEnabled(), c.starting) << c.rows << c.selected;
    }
}

TEST_F(PlayListTest, SelectedRowsLeaveByTheDeleteKeyOrADoubleClick)
{
    AddRows({"A", "B", "C", "D", "E"});
    Select(1);
    window().ListView1->selectionModel()->select(
        window().Rows.index(3, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(window().ListView1, &del);
    EXPECT_EQ(Rows(), QStringList({"A|E:\\Music", "C|E:\\Music", "E|E:\\Music"}));
    Select(0);
    Q_EMIT window().ListView1->doubleClicked(window().Rows.index(0, 0));
    EXPECT_EQ(Rows(), QStringList({"C|E:\\Music", "E|E:\\Music"}));
}

// A list handed over is played as albums of one file each; only a .m3u list is kept
// as the one to start with next time.
TEST_F(PlayListTest, AnEmptyListBeepsAndAListOfTwoIsPlayed)
{
    const struct
    {
        const char* file;
        const char* stored;
    } cases[] = {{"C:\\Lists\\two.txt", "none"}, {"C:\\Lists\\two.m3u", "C:\\Lists\\two.m3u"}};
    const QStringList songs{"E:\\Music\\a02.mp3", "E:\\Music\\a03.mp3"};
    player.forms.Set().Check5->setChecked(true);
    for (const auto& c : cases) {
        ASSERT_TRUE(ListFile::Save(fake.files, c.file, songs));
        player.context.device.MixedDisc = true;
        fake.clock.onWait = [&] {
            FrmSongSet& w = window();
            w.Command7->click();
            list.Command5Click();
            EXPECT_TRUE(w.isVisible());
            answer = c.file;
            w.Command4->click();
            list.Timer1Timer();
            w.Command5->click();
        };
        const int beeps = fake.prompter.beeps;
        list.mPath1_Click();
        EXPECT_EQ(fake.prompter.beeps, beeps + 1);
        EXPECT_EQ(player.context.settings.GetUserSetting("ListFile", "none"), c.stored);
        EXPECT_EQ(std::tuple(player.context.device.TrackCount, player.context.device.MixedDisc),
                  std::tuple(2, false));
        EXPECT_EQ(player.context.device.AlbumDirs, songs);
        QListWidget* shown = player.forms.Vcd().PlayList;
        ASSERT_EQ(shown->count(), 2);
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(std::pair(shown->item(i)->text(), shown->item(i)->checkState()),
                      std::pair(songs[i], Qt::Checked));
        EXPECT_EQ(player.forms.Menu().mPath1->text(), QString("清單檔:") + c.file);
        EXPECT_EQ(main.fileName, songs[0]);
    }
}

TEST_F(PlayListTest, PrintingChoosesTextFilesAndNeedsAPrinter)
{
    fake.files.MakeFolder("C:\\Temp");
    for (const char* name : {"one.txt", "two.txt", "song.mp3"})
        ASSERT_TRUE(fake.files.WriteAll(QString("C:\\Temp\\") + name, "x"));
    AddRows({"a01.mp3"});
    bool printer = false;
    QList<QStringList> printed;
    list.printerInstalled = [&] { return printer; };
    list.print = [&](const QStringList& paths) { printed.append(paths); };
    fake.clock.onWait = [&] {
        FrmSongSet& w = window();
        EXPECT_EQ(QStringList({w.windowTitle(), w.Command5->text(), w.Combo1->itemText(0),
                               w.Combo1->itemText(1), w.Combo1->currentText()}),
                  QStringList({"歌詞列印", "開始列印", "*.txt", "*.*", "*.txt"}));
        EXPECT_TRUE(Rows().isEmpty());
        w.Command8->click();
        EXPECT_EQ(Rows(), QStringList({"one.txt|C:\\Temp", "two.txt|C:\\Temp"}));
        list.Timer1Timer();
        w.Command3->click(); // cancelled
        EXPECT_EQ(std::pair(w.Command2->isEnabled(), w.Command5->isEnabled()),
                  std::pair(true, printer));
        (printer ? w.Command5 : w.Command6)->click();
    };
    list.mSongText_Click();
    printer = true;
    list.mSongText_Click();
    EXPECT_EQ(printed, QList<QStringList>({{"C:\\Temp\\one.txt", "C:\\Temp\\two.txt"}}));
    ASSERT_EQ(asked.size(), 2);
    EXPECT_EQ(QStringList({asked[0].folder, asked[0].name, asked[0].filter, asked[0].suffix}),
              QStringList({"C:\\Temp", "unknow", "Print Files (*.PRT)", "PRT"}));
    EXPECT_EQ(window().windowTitle(), "歌詞列印");
    EXPECT_TRUE(player.context.device.AlbumDirs.isEmpty());
    // The play list opens empty after printing.
    fake.clock.onWait = [&] {
        EXPECT_TRUE(Rows().isEmpty());
        EXPECT_EQ(window().Command5->text(), "開始播放");
        window().Command6->click();
    };
    list.mPath1_Click();
}

TEST_F(PlayListTest, WhatPlaysIsAddedAndALongListLoadsWhileTheWindowAnswers)
{
    player.context.playback.MediaPath = "E:\\Music\\a02.mp3";
    player.forms.Menu().mADDList->trigger();
    EXPECT_EQ(Rows(), QStringList({"a02.mp3|E:\\Music"}));
    EXPECT_FALSE(player.forms.Menu().mDelList->isEnabled());

    QByteArray lines;
    for (int i = 0; i < 100000; ++i)
        lines += "E:\\Big\\song" + QByteArray::number(i) + ".mp3\r\n";
    ASSERT_TRUE(fake.files.WriteAll("C:\\Lists\\big.m3u", lines));
    // Whatever takes the list while it loads stops the loading; rows read stay.
    const struct
    {
        QPushButton* FrmSongSet::*button;
        int rows;
    } cases[] = {{nullptr, 100000}, {&FrmSongSet::Command7, 0}, {&FrmSongSet::Command5, 2000}};
    for (const auto& c : cases) {
        fake.clock.doEvents = 0;
        fake.clock.onDoEvents = [&] {
            EXPECT_TRUE(window().ProgressBar1->isVisibleTo(&window()));
            list.Timer1Timer();
            if (c.button && fake.clock.doEvents == 1)
                (window().*c.button)->click();
        };
        list.ReadListFile("C:\\Lists\\big.m3u");
        EXPECT_EQ(window().Rows.rowCount(), c.rows);
        EXPECT_GE(fake.clock.doEvents, c.button ? 1 : 50);
        EXPECT_FALSE(window().ProgressBar1->isVisibleTo(&window()));
    }
    EXPECT_EQ(list.HandedOver.size(), 2000);
    EXPECT_EQ(list.HandedOver.last(), "E:\\Big\\song1999.mp3");
}

// A list of two songs played on the real engine, in the users' locale too.
class RealPlayList : public ::testing::Test
{
protected:
    RealPlayList()
    {
        player.services.UseSystemVolume(outputs);
        player.forms.Set().Check5->setChecked(true);
    }
    ~RealPlayList() override { player.services.Media().StopAllMedia(); }

    // What the log says was played, in order.
    QStringList Played()
    {
        QStringList played;
        for (const QString& line : fake.LogTexts()) {
            if (line.startsWith("播放-"))
                played.append(line.mid(3));
        }
        return played;
    }

    FakePlatform fake;
    FakeSystemVolume outputs;
    Player player{fake.platform};
};

TEST_F(RealPlayList, AListOfTwoSongsPlaysThroughAndStartsAgain)
{
    const QString album = fake.dir.path() + "/album";
    QDir().mkpath(album);
    for (const char* name : {"1 first.mp3", "2 歌.mp3"})
        ASSERT_TRUE(QFile::copy(MediaFixtures() + "/tone.mp3", album + "/" + name));
    fake.drives.Add({'F', album, kDriveFixed});
    ASSERT_TRUE(fake.files.WriteAll("F:\\list.m3u", QString("#EXTM3U\n#EXTINF:2,一\n1 first.mp3\n"
                                                            "#EXTINF:2,二\n2 歌.mp3\n")
                                                        .toUtf8()));
    player.context.settings.SaveUserSetting("ListFile", "F:\\list.m3u");
    fake.clock.onWait = [&] {
        FrmSongSet& w = player.forms.SongSet();
        w.Command13->click();
        player.playList.Timer1Timer();
        w.Command5->click();
    };
    player.playList.mPath1_Click();
    EXPECT_EQ(player.context.device.TrackCount, 2);
    ASSERT_TRUE(RunEventsUntil([&] { return Played().size() >= 3; }, 60000))
        << Played().join(";").toStdString();
    EXPECT_EQ(Played().mid(0, 3),
              QStringList({"F:\\1 first.mp3", "F:\\2 歌.mp3", "F:\\1 first.mp3"}));
    EXPECT_TRUE(fake.prompter.shown.isEmpty());
}

} // namespace
} // namespace tolvane
