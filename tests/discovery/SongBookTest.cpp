#include "discovery/SongBook.h"
#include "MusicFixture.h"
#include "app/Ini.h"
#include "discovery/DiscIdentity.h"
#include "discovery/SongCatalogue.h"
#include "fakes/FullDisk.h"
#include "fakes/PlayerFixture.h"
#include "forms/FrmFindMusic.h"
#include "forms/FrmSongLib.h"
#include "forms/FrmVCD.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>

namespace tolvane {
namespace {

using Strings = QStringList;
using Rows = QList<QStringList>;

void PressEnter(QWidget* widget)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
}

TEST(SongCatalogue, AlbumNamesSplitIntoTheTwoPartsTheAlbumSearchShows)
{
    const struct
    {
        QString album, a, b;
    } cases[] = {
        {"Hello-World", "Hello", "World"},
        {"Word(ab_cd)", "ab", ""},
        {"鄧麗君(精選)第二輯", "精選", "第二輯"},
        {"Best~Vol 1", "Best", "Vol 1"},
        {"情歌～二", "情歌", "二"},
        {"情歌－二", "情歌", "二"},
        // B is cut where A was, and after a folder's "\" on each side.
        {"Pop\\Live-2004", "Live", "2004"},
        {"A-B_C", "A", "B_C"},
        {"Open(ended", "ended", ""},
        {" Solo ", "Solo", "Solo"},
    };
    for (const auto& c : cases) {
        QString a, b;
        SongCatalogue::SplitAlbum(c.album, a, b);
        EXPECT_EQ(Strings({a, b}), Strings({c.a, c.b})) << c.album.toStdString();
    }
}

// A catalogue in CP950 as the program writes it, with lines from elsewhere: commas,
// a quoted item, an empty line, a UTF-8 line, a character in its other code and a last
// line without its end.
class CatalogueTest : public ::testing::Test
{
protected:
    CatalogueTest()
    {
        const Strings lines = {"<Dir> Pop\\Love-Songs\t [MP3_001(情歌)]",
                               "月亮代表我的心.mp3",
                               "Moon River.MP3",
                               "Song, with comma.mp3",
                               "\"Quoted, moon.mp3\"",
                               "<Dir> Jazz\t [Jazz Disc]",
                               "moon dance.mp3",
                               "",
                               "<Dir> 民歌 [舊",
                               "Ωmega ñ.mp3"};
        QByteArray bytes;
        for (const QString& line : lines)
            bytes += CodePage().EncodeLine(line) + "\r\n";
        // 十 in the second of the two codes that read as it.
        bytes += "\xA2\xCC\xA4\x43\xB7\xB3.mp3\r\ntail,moon";
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }

    // Rows and count of a search, the same whether lines are skipped or all decoded.
    Rows Search(CatalogueSearch::Kind kind, const QString& query, qint64& counted) const
    {
        CatalogueSearch quick(kind, query), every(kind, query);
        every.DecodeEveryLine();
        QString reason;
        EXPECT_EQ(quick.SearchFile(path, nullptr, reason), CatalogueSearch::Done);
        EXPECT_EQ(every.SearchFile(path, nullptr, reason), CatalogueSearch::Done);
        EXPECT_EQ(quick.rows, every.rows) << query.toStdString();
        EXPECT_EQ(quick.Counted(), every.Counted());
        counted = quick.Counted();
        return quick.rows;
    }

    QTemporaryDir dir;
    QString path = dir.path() + "/MusicLib.TXT";
};

TEST_F(CatalogueTest, SongAndAlbumSearchRowsAndCounts)
{
    const Strings love = {"Pop\\Love-Songs", "MP3_001(情歌)"}, jazz = {"Jazz", "Jazz Disc"},
                  folk = {"民歌", "舊"};
    // Every item read counts, the empty ones too: 14 items in 12 lines.
    const struct
    {
        CatalogueSearch::Kind kind;
        QString query;
        Rows rows;
        qint64 counted;
    } cases[] = {
        {CatalogueSearch::Songs,
         "MOON",
         {Strings{"Moon River.MP3"} + love, Strings{"Quoted, moon.mp3"} + love,
          Strings{"moon dance.mp3"} + jazz, Strings{"moon"} + folk},
         14},
        {CatalogueSearch::Songs, "月亮", {Strings{"月亮代表我的心.mp3"} + love}, 14},
        {CatalogueSearch::Songs, "with", {Strings{"with comma.mp3"} + love}, 14},
        {CatalogueSearch::Songs, "jazz", {Strings{"<Dir> Jazz"} + jazz}, 14},
        {CatalogueSearch::Songs, "ΩMEGA", {Strings{"Ωmega ñ.mp3"} + folk}, 14},
        {CatalogueSearch::Songs, "nothing", {}, 14},
        {CatalogueSearch::Songs, "十七", {Strings{"十七歲.mp3"} + folk}, 14},
        {CatalogueSearch::Albums, "love", {{"Songs", "Love", "Pop\\Love-Songs"}}, 1},
        {CatalogueSearch::Albums, "MP3_", {{"Songs", "Love", "Pop\\Love-Songs"}}, 1},
        {CatalogueSearch::Albums, "moon", {}, 0},
        {CatalogueSearch::Albums,
         "",
         {{"Songs", "Love", "Pop\\Love-Songs"}, {"Jazz", "Jazz", "Jazz"}, {"民歌", "民歌", "民歌"}},
         3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.query.toStdString());
        qint64 counted = 0;
        EXPECT_EQ(Search(c.kind, c.query, counted), c.rows);
        EXPECT_EQ(counted, c.counted);
    }
    // An empty query lists every item that is not empty.
    qint64 counted = 0;
    EXPECT_EQ(Search(CatalogueSearch::Songs, "", counted).size(), 13);
}

// The index as a user may bring it; nothing in it is ever written over.
TEST(SongBookIndexFile, DamagedIndexesListWhatTheyHoldAndNewDiscsGoPastEveryEntry)
{
    const struct
    {
        const char* name;
        QByteArray text;
        Rows discs;
        int next;
    } cases[] = {
        {"a count past its entries, one without commas",
         "[CDROM]\r\nDiscNum=5\r\n1=AAAA-0001,One,2004/1/1~2004/2/2\r\n2=no commas\r\n",
         {{"1", "AAAA-0001", "One", "2004/1/1~2004/2/2"}},
         6},
        {"a count behind its entries",
         "[CDROM]\r\nDiscNum=1\r\n1=A,One,d\r\n2=B,Two,d\r\n3=C,Three,d\r\n",
         {{"1", "A", "One", "d"}},
         4},
        {"a title holding a comma moves the rest into the dates",
         "[CDROM]\r\nDiscNum=1\r\n1=A,Rock,Roll,2004/1/1~2004/1/1\r\n",
         {{"1", "A", "Rock", "Roll,2004/1/1~2004/1/1"}},
         2},
        {"a huge count",
         "[CDROM]\r\nDiscNum=2000000000\r\n7=G,Seven,d\r\n",
         {{"7", "G", "Seven", "d"}},
         2000000001},
        {"binary garbage", QByteArray("\x00\xFF[CDROM\x01]=\n\xA4", 11), {}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform fake;
        QFile file(fake.LocalPath("C:\\CDROMLib.TXT"));
        file.open(QIODevice::WriteOnly);
        file.write(c.text);
        file.close();
        Ini ini(fake.files);
        const SongBookIndex index(ini, "C:\\CDROMLib.TXT");
        Rows discs;
        for (const SongBookDisc& disc : index.Discs())
            discs.append({QString::number(disc.number), disc.serial, disc.title, disc.dates});
        EXPECT_EQ(discs, c.discs);
        EXPECT_EQ(index.NextNumber(), c.next);
    }
}

// A player whose drive E: is a CD-ROM drive holding three albums, with the settings
// read as at start-up: the song book in mode "自動", the catalogue on, the song folder
// C:\Temp.
class SongBookTest : public PlayerFixture
{
protected:
    SongBookTest() : PlayerFixture(kDriveCdrom)
    {
        player.settingsWindow.Load();
        UseDiscTypes(player);
        player.forms.Set().Check5->setChecked(false);
        player.forms.Set().Check7->setChecked(false);
        player.detection.SetDevice("E:");
        Songs("Pop/Love-Songs", 2);
        File("Jazz/Moon Dance.mp3");
        File("月亮/月亮代表我的心.mp3");
        File("月亮/cover.jpg");
        serial = DiscIdentity::SerialText(DiscIdentity::ReadSerial(fake.drives, "E:"));
    }

    void Check() { player.detection.CheckCdrom(true); }

    // Takes `title` in the new-entry dialog once it shows (empty: cancels it).
    void Answer(const QString& title)
    {
        fake.clock.onWait = [this, title] {
            FrmSongLib& dialog = player.forms.SongLib();
            proposed = dialog.Text1->text();
            dialog.Text1->setText(title);
            if (title.isEmpty())
                dialog.Command1[1]->click();
            else
                PressEnter(dialog.Text1);
        };
    }

    // The log's folder lines since line `from`: a walk of the disc writes them.
    Strings FolderLines(qsizetype from) const
    {
        return fake.LogTexts().mid(from).filter(QRegularExpression("^E:\\\\"));
    }

    void Mode(int option) { player.forms.Set().Option4[option]->setChecked(true); }

    QString serial;
    QString proposed;
    const Strings albums = {"E:\\Jazz", "E:\\Pop\\Love-Songs", "E:\\月亮"};
};

TEST_F(SongBookTest, AnAcceptedDiscIsRecordedAndReadBackWithoutAWalk)
{
    Answer("情歌 Vol.1");
    Check();
    // A folder standing for a disc is labelled with its name.
    EXPECT_EQ(proposed, "MP3_001(disc)");
    const QString dates = ShortDate(QDate::currentDate()) + "~" + ShortDate(QDate::currentDate());
    EXPECT_EQ(fake.ReadLines("C:\\Temp\\CDROMLib.TXT"),
              Strings({"[CDROM]", "DiscNum=1", "1=" + serial + ",情歌 Vol.1," + dates,
                       "[" + serial + "]", "Title=情歌 Vol.1", "DirNumbers=3", "1=\\Jazz\\",
                       "2=\\月亮\\", "3=\\Pop\\Love-Songs\\"}));
    // The songs a file list shows for the selected types: no cover picture.
    EXPECT_EQ(fake.ReadLines("C:\\Temp\\MusicLib.TXT"),
              Strings({"<Dir> Jazz\t [情歌 Vol.1]", "Moon Dance.mp3", "<Dir> 月亮\t [情歌 Vol.1]",
                       "月亮代表我的心.mp3", "<Dir> Pop\\Love-Songs\t [情歌 Vol.1]", "a01.mp3",
                       "a02.mp3"}));
    EXPECT_EQ(player.forms.FindMusic().windowTitle(), "歌本管理 - 情歌 Vol.1");

    fake.clock.onWait = [] { FAIL() << "no dialog for a disc in the book"; };
    const qsizetype logged = fake.LogTexts().size();
    Check();
    EXPECT_EQ(player.context.device.AlbumDirs, albums);
    EXPECT_EQ(FolderLines(logged), Strings());
    EXPECT_EQ(player.forms.Vcd().PlayList->count(), 3);
}

TEST_F(SongBookTest, TheTitleProposedFollowsTheNumberingAndLabelBoxes)
{
    const struct
    {
        bool numbered, labelled;
        QString label, proposal;
    } cases[] = {
        {true, true, "SONGS", "MP3_007(SONGS)"},
        {true, true, "", "MP3_007"},
        {true, false, "SONGS", "MP3_007"},
        {false, true, "SONGS", "SONGS"},
        {false, false, "SONGS", ""},
    };
    FrmFindMusic& window = player.forms.FindMusic();
    for (const auto& c : cases) {
        window.Check1->setChecked(c.numbered);
        window.Check2->setChecked(c.labelled);
        EXPECT_EQ(player.detection.Book().Proposal(c.label, 7), c.proposal);
    }
}

// A song folder that cannot be written: the user is told, and the book keeps what it
// held; an index saved without its catalogue block still lists the disc.
TEST_F(SongBookTest, ADiscThatCannotBeRecordedLeavesTheBookAsItWas)
{
    const struct
    {
        rlim_t room;
        QString told;
        bool listed;
    } cases[] = {
        {4, "無法儲存 ", false},
        {1024, "無法寫入歌本目錄檔 C:\\Temp\\MusicLib.TXT", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.room);
        player.context.ini.IniFile = "C:\\Temp\\CDROMLib.TXT";
        player.context.ini.RewriteIni({{"CDROM", "DiscNum", "1"}, {"CDROM", "1", "A,Old,d"}});
        QFile old(fake.LocalPath("C:\\Temp\\MusicLib.TXT"));
        old.open(QIODevice::WriteOnly);
        old.write("<Dir> Old\t [Old]\r\n" + QByteArray(2000, 'x') + "\r\n");
        old.close();
        const QByteArray catalogue = fake.ReadBytes("C:\\Temp\\MusicLib.TXT");
        fake.prompter.shown.clear();
        Answer("Disc B");
        {
            FullDisk full(c.room);
            Check();
        }
        ASSERT_FALSE(fake.prompter.shown.isEmpty());
        EXPECT_TRUE(fake.prompter.shown[0].prompt.startsWith(c.told));
        EXPECT_EQ(fake.ReadLines("C:\\Temp\\CDROMLib.TXT").contains("Title=Disc B"), c.listed);
        EXPECT_EQ(fake.ReadBytes("C:\\Temp\\MusicLib.TXT"), catalogue);
        EXPECT_EQ(player.detection.Book().Index().Discs().first().listed, "A,Old,d");
    }
}

// A long catalogue is read in parts, the window's events let run between them.
TEST_F(SongBookTest, ALongCatalogueLetsTheWindowLiveWhileItIsSearched)
{
    QFile file(fake.LocalPath("C:\\Temp\\MusicLib.TXT"));
    file.open(QIODevice::WriteOnly);
    file.write("<Dir> Long\t [Long]\r\n");
    const QByteArray songs = QByteArray("\xA4\xEB\xAB\x47 song.mp3\r\n").repeated(600000);
    file.write(songs);
    file.close();
    player.songBookWindow.Open();
    FrmFindMusic& window = player.forms.FindMusic();
    window.Text1->setText("月亮");
    const int events = fake.clock.doEvents;
    window.Command1->click();
    EXPECT_GE(fake.clock.doEvents - events, 3);
    EXPECT_EQ(window.Panels[1]->text(), "600001首歌搜尋完成!");
    EXPECT_EQ(window.ListView1->Rows()->rowCount(), 600000);
}

// The three modes with a disc already in the book, and with a damaged entry.
TEST_F(SongBookTest, TheModesDecideWhetherTheBookIsUsedOrAsked)
{
    const QString question = "找到Old是否要使用?";
    const struct
    {
        int mode;
        int answer;
        QString folder; // the stored folder of album 2
        Strings prompts;
        bool walked;
        int albums;
    } cases[] = {
        {0, 0, "\\Jazz\\", {}, false, 2},
        {1, kIdYes, "Jazz\\", {question}, false, 2},
        {1, kIdNo, "\\Jazz\\", {question}, true, 3},
        {2, 0, "\\Jazz\\", {}, true, 3},
        {0, 0, "", {"在E:上找不到可供播放的媒體!"}, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode * 10 + c.answer);
        player.context.ini.IniFile = "C:\\Temp\\CDROMLib.TXT";
        player.context.ini.RewriteIni({{"CDROM", "DiscNum", "1"},
                                       {"CDROM", "1", serial + ",Old,d"},
                                       {serial, "Title", "Old"},
                                       {serial, "DirNumbers", "2"},
                                       {serial, "1", "\\Pop\\Love-Songs\\"},
                                       {serial, "2", c.folder}});
        Mode(c.mode);
        fake.prompter.shown.clear();
        fake.prompter.answers = {c.answer};
        fake.clock.onWait = [] { FAIL() << "no new entry for a disc in the book"; };
        const qsizetype logged = fake.LogTexts().size();
        Check();
        Strings prompts;
        for (const auto& shown : fake.prompter.shown)
            prompts.append(shown.prompt);
        EXPECT_EQ(prompts, c.prompts);
        EXPECT_EQ(!FolderLines(logged).isEmpty(), c.walked);
        EXPECT_EQ(player.context.device.TrackCount, c.albums);
    }
}

// Export, then import into an empty song folder: the same discs and search results;
// a file that is no exported book changes nothing.
TEST_F(SongBookTest, TheBookMovesToAnotherMachineThroughOneFile)
{
    Answer("Disc A");
    Check();
    SongBookWindow& window = player.songBookWindow;
    const QString exported = fake.dir.path() + "/book.sbk";
    window.chooseFile = [&](bool) { return exported; };
    window.Open();
    EXPECT_FALSE(player.forms.Set().isEnabled());
    FrmFindMusic& find = player.forms.FindMusic();
    find.Command2[2]->click();
    const Rows discs = find.ListView2->Rows()->Rows();
    find.Text1->setText("moon");
    PressEnter(find.Text1);
    const Rows found = find.ListView1->Rows()->Rows();
    EXPECT_EQ(find.Panels[1]->text(), "7首歌搜尋完成!");
    // Every album, sorted by name one way and then the other.
    find.Text1->clear();
    find.Command3->click();
    EXPECT_EQ(find.Panels[1]->text(), "3個專集搜尋完成!");
    const Strings names = {"Jazz", "Pop\\Love-Songs", "月亮"};
    for (const Strings& sorted : {names, Strings({names[2], names[1], names[0]})}) {
        Q_EMIT find.ListView1->header()->sectionClicked(2);
        EXPECT_EQ(find.ListView1->Rows()->Column(2), sorted);
    }
    player.forms.Vcd().setEnabled(false);
    find.Command2[0]->click();
    EXPECT_TRUE(player.forms.Set().isEnabled());
    EXPECT_TRUE(player.forms.Vcd().isEnabled());
    EXPECT_TRUE(find.isHidden());
    EXPECT_TRUE(fake.registry.writes.contains("AutoNum"));

    MusicFixture other;
    other.player.settingsWindow.Load();
    SongBookWindow& moved = other.player.songBookWindow;
    QFile bad(fake.dir.path() + "/bad.sbk");
    bad.open(QIODevice::WriteOnly);
    bad.write("TOLVANE99 SONG BOOK 1\r\nCDROMLib.TXT 999\r\n");
    bad.close();
    for (const QString& file : {bad.fileName(), exported}) {
        moved.chooseFile = [file](bool) { return file; };
        moved.Open();
        other.player.forms.FindMusic().Command2[1]->click();
    }
    FrmFindMusic& there = other.player.forms.FindMusic();
    ASSERT_EQ(other.fake.prompter.shown.size(), 2);
    EXPECT_TRUE(other.fake.prompter.shown[0].prompt.contains("不是匯出的歌本檔"));
    EXPECT_EQ(other.fake.prompter.shown[1].prompt, "已匯入 1 張光碟");
    EXPECT_EQ(there.ListView2->Rows()->Rows(), discs);
    there.Text1->setText("moon");
    there.Command1->click();
    EXPECT_EQ(there.ListView1->Rows()->Rows(), found);
    // Imported again, nothing is doubled.
    there.Command2[1]->click();
    EXPECT_EQ(other.fake.prompter.shown.last().prompt, "已匯入 0 張光碟,1 張已在歌本中");
    EXPECT_EQ(there.ListView2->Rows()->Rows(), discs);
}

} // namespace
} // namespace tolvane
