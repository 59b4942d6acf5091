#include "discovery/DiscIdentity.h"
#include "fixtures/RealEngine.h"
#include "forms/FrmFindMusic.h"
#include "forms/FrmSongLib.h"
#include "forms/FrmVCD.h"
#include "playback/MediaProcedures.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace tolvane {
namespace {

using Strings = QStringList;

// The generated disc of three albums labelled SONGS_2004 in an image drive E:, met
// with the settings of a first start: the song book in mode "自動", the catalogue on.
class SongBookDisc : public RealEngineTest
{
protected:
    SongBookDisc()
    {
        // The base already made the settings window: its settings are read afresh.
        player.settingsWindow.ReadSetData();
        UseDiscTypes(player);
        player.forms.Set().Check5->setChecked(false);
        player.forms.Set().Check7->setChecked(false);
    }

    // Classifies the disc put in again; the log's folder lines of that insertion.
    Strings InsertAgain()
    {
        player.services.Media().StopAllMedia();
        const qsizetype logged = fake.LogTexts().size();
        Insert("songbook.cue");
        player.detection.CheckCdrom(true);
        return fake.LogTexts().mid(logged).filter(QRegularExpression("^E:\\\\"));
    }
};

TEST_F(SongBookDisc, ScannedOnceRecordedThenReadBackSearchedAndAskedAbout)
{
    QString proposed;
    int dialogs = 0;
    fake.clock.onWait = [&] {
        ++dialogs;
        proposed = player.forms.SongLib().Text1->text();
        player.forms.SongLib().Command1[0]->click();
    };
    const Strings albums = {"E:\\Jazz(Live_1999)", "E:\\Pop-Rock", "E:\\情歌"};
    EXPECT_EQ(InsertAgain(), Strings({"E:\\Jazz(Live_1999) [1] 09:05:03",
                                      "E:\\Pop-Rock [1] 09:05:03", "E:\\情歌 [2] 09:05:03"}));
    const QString title = "MP3_001(SONGS_2004)";
    EXPECT_EQ(proposed, title);
    const QString serial = player.context.device.DiscSerial;
    const Strings index = fake.ReadLines("C:\\Temp\\CDROMLib.TXT");
    EXPECT_EQ(index.mid(0, 2), Strings({"[CDROM]", "DiscNum=1"}));
    EXPECT_EQ(index.mid(3), Strings({"[" + serial + "]", "Title=" + title, "DirNumbers=3",
                                     "1=\\Jazz(Live_1999)\\", "2=\\Pop-Rock\\", "3=\\情歌\\"}));
    EXPECT_EQ(fake.ReadLines("C:\\Temp\\MusicLib.TXT").mid(4),
              Strings({"<Dir> 情歌\t [" + title + "]", "月亮代表我的心.mp3", "甜蜜蜜.mp3"}));

    // Known now: its folders come from the book, without a walk or a dialog.
    EXPECT_EQ(InsertAgain(), Strings());
    EXPECT_EQ(player.context.device.AlbumDirs, albums);
    EXPECT_EQ(dialogs, 1);

    // The window lists it and finds its songs and albums in the catalogue.
    player.songBookWindow.Open();
    FrmFindMusic& window = player.forms.FindMusic();
    ASSERT_EQ(window.ListView2->Rows()->Rows().size(), 1);
    EXPECT_EQ(window.ListView2->Rows()->Rows()[0].mid(0, 3), Strings({"1", title, serial}));
    window.Text1->setText("月亮");
    window.Command1->click();
    EXPECT_EQ(window.ListView1->Rows()->Rows(),
              QList<Strings>({{"月亮代表我的心.mp3", "情歌", title}}));
    EXPECT_EQ(window.Panels[1]->text(), "7首歌搜尋完成!");
    window.Text1->setText("live");
    window.Command3->click();
    EXPECT_EQ(window.ListView1->Rows()->Rows(), QList<Strings>({{"", "Live", "Jazz(Live_1999)"}}));
    EXPECT_EQ(window.Panels[1]->text(), "1個專集搜尋完成!");
    window.Command2[0]->click();

    // Asked and told no, the disc is walked and no new entry is offered.
    player.forms.Set().Option4[1]->setChecked(true);
    fake.prompter.answers = {kIdNo};
    fake.prompter.shown.clear();
    EXPECT_EQ(InsertAgain().size(), 3);
    ASSERT_EQ(fake.prompter.shown.size(), 1);
    EXPECT_EQ(fake.prompter.shown[0].prompt, "找到" + title + "是否要使用?");
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(fake.ReadLines("C:\\Temp\\CDROMLib.TXT"), index);
}

} // namespace
} // namespace tolvane
