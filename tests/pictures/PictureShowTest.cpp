#include "pictures/PictureShow.h"
#include "PictureFiles.h"
#include "fakes/PlayerFixture.h"
#include "forms/FrmSet.h"
#include "forms/FrmVCD.h"
#include "playback/PlaybackController.h"
#include "ui/SettingsWindow.h"

#include <QTimer>
#include <gtest/gtest.h>

namespace tolvane {
namespace {

// The show over the fake platform: an album of songs on drive E:, a folder of
// pictures of plain colours, "自動更換背景圖片" on and a picture area in the skin.
class PictureShowTest : public PlayerFixture
{
protected:
    PictureShowTest()
    {
        player.context.log.LogOpen();
        player.forms.Set().Check5->setChecked(true);
        Songs("A", 2);
        player.context.device.AlbumDirs = {"E:\\A"};
        player.context.device.TrackCount = 1;
        player.context.app.SearchPattern = "MP3";
        player.forms.Vcd().File1.Pattern = "*.MP3";
        player.context.playback.PlayMode = MediaMode::Mp3;
        player.context.skin.PictureVisible = true;
        fake.files.MakeFolder("C:\\Show");
        Picture("1 red.jpg", Qt::red);
        Picture("2 green.png", Qt::green);
        Picture("3 blue.bmp", Qt::blue);
        Use("C:\\Show", 5);
    }

    void Picture(const QString& name, QColor colour, QSize size = {320, 240})
    {
        ASSERT_TRUE(pictures::Solid(fake.LocalPath("C:\\Show") + "/" + name, size, colour));
    }
    // The settings as the settings window leaves them.
    void Use(const QString& folder, int seconds, bool on = true)
    {
        player.context.app.BackgroundFolder = folder;
        player.context.app.BackgroundPictures = on;
        vcd.TimerBMP->setInterval(seconds * 1000);
        player.pictureShow.ReadFolder();
    }
    // The colour in the middle of the picture area, as a name: "red", "green" ...
    QString Shown() const
    {
        const QImage shown = vcd.Image1->pixmap().toImage();
        if (shown.isNull())
            return "none";
        const QColor colour = shown.pixelColor(shown.rect().center());
        const std::pair<QColor, const char*> names[] = {
            {Qt::red, "red"}, {Qt::green, "green"}, {Qt::blue, "blue"}, {Qt::black, "black"}};
        for (const auto& [known, name] : names) {
            if (std::abs(colour.red() - known.red()) < 40 &&
                std::abs(colour.green() - known.green()) < 40 &&
                std::abs(colour.blue() - known.blue()) < 40)
                return name;
        }
        return colour.name();
    }
    // Pixels of the picture area's rows [from, to) that are white.
    int WhiteIn(int from, int to) const
    {
        const QImage shown = vcd.Image1->pixmap().toImage();
        int white = 0;
        for (int y = from; y < to && y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                white += shown.pixelColor(x, y) == QColor(Qt::white);
        return white;
    }
    // TimerBMP fires, as after its interval.
    void Tick() { QMetaObject::invokeMethod(vcd.TimerBMP, "timeout"); }

    FrmVCD& vcd = player.forms.Vcd();
};

// While a song without lyrics plays the picture changes on every tick of TimerBMP,
// whose interval is "ShowTime" seconds; the folder starts over after its last picture.
TEST_F(PictureShowTest, ASongWithoutLyricsChangesThePictureEveryInterval)
{
    player.controller.PlayMp3("E:\\A", 0);
    EXPECT_TRUE(vcd.TimerBMP->isActive());
    EXPECT_EQ(vcd.TimerBMP->interval(), 5000);
    EXPECT_FALSE(vcd.Image1->isHidden());
    QStringList seen = {Shown()};
    for (int i = 0; i < 4; ++i) {
        Tick();
        seen.append(Shown());
    }
    EXPECT_EQ(seen, QStringList({"red", "green", "blue", "red", "green"}));
    EXPECT_EQ(player.context.app.BackgroundPicture, "C:\\Show\\2 green.png");
}

// When the show may not run, the timer is off and the picture area is left alone.
TEST_F(PictureShowTest, TheShowStaysOffWithoutItsSettingOrWithLyrics)
{
    struct Case
    {
        const char* what;
        std::function<void()> set;
    };
    const Case cases[] = {
        {"off", [&] { Use("C:\\Show", 5, false); }},
        {"no interval", [&] { Use("C:\\Show", 0); }},
        {"lyrics", [&] { File("A/a01.txt"); }},
    };
    for (const Case& c : cases) {
        vcd.Image1->hide();
        vcd.Image1->clear();
        c.set();
        player.controller.PlayMp3("E:\\A", 0);
        EXPECT_EQ(main.fileName, "E:\\A\\a01.mp3") << c.what;
        EXPECT_FALSE(vcd.TimerBMP->isActive()) << c.what;
        if (std::string(c.what) != "lyrics") {
            EXPECT_TRUE(vcd.Image1->isHidden()) << c.what;
            EXPECT_EQ(Shown(), "none") << c.what;
        }
        Use("C:\\Show", 5);
    }
}

// Unreadable pictures are passed over, a vanished folder stops the changes and is
// logged once, and the setting that names it stays.
TEST_F(PictureShowTest, BadPicturesArePassedOverAndAVanishedFolderStopsTheShow)
{
    for (const char* name : {"0 empty.jpg", "1 red.jpg", "3 blue.bmp"})
        QFile::remove(fake.LocalPath("C:\\Show") + "/" + name);
    ASSERT_TRUE(pictures::Bytes(fake.LocalPath("C:\\Show") + "/0 empty.jpg", QByteArray()));
    ASSERT_TRUE(pictures::Bytes(fake.LocalPath("C:\\Show") + "/4 huge.png", pictures::HugePng()));
    ASSERT_TRUE(pictures::Bytes(fake.LocalPath("C:\\Show") + "/5 noise.gif", pictures::Noise()));
    player.context.settings.SaveUserSetting("ShowPicFIle", "C:\\Show");
    Use("C:\\Show", 5);
    EXPECT_EQ(player.context.app.BackgroundPicture, "C:\\Show\\0 empty.jpg");
    player.controller.PlayMp3("E:\\A", 0);
    EXPECT_EQ(Shown(), "green");
    for (int i = 0; i < 3; ++i) {
        Tick();
        EXPECT_EQ(Shown(), "green") << i;
    }
    ASSERT_TRUE(QDir(fake.LocalPath("C:\\Show")).removeRecursively());
    Tick();
    Tick();
    EXPECT_EQ(Shown(), "green");
    EXPECT_EQ(fake.LogTexts().filter("背景圖片目錄不見了:C:\\Show").size(), 1);
    EXPECT_EQ(player.context.settings.GetUserSetting("ShowPicFIle", ""), "C:\\Show");
}

// With the lyrics leading, each new line brings the next picture; in MTV mode the
// line is written over it.
TEST_F(PictureShowTest, LyricsLinesChangeThePictureAndMtvModeWritesThem)
{
    struct Case
    {
        bool lead, mtv;
        QStringList colours; // after the heading and two lines
        bool written;
    };
    const Case cases[] = {
        {true, true, {"green", "blue", "red"}, true},
        {true, false, {"green", "blue", "red"}, false},
        {false, true, {"red", "red", "red"}, true},
    };
    FrmSet& set = player.forms.Set();
    for (const Case& c : cases) {
        Use("C:\\Show", 5);
        set.Option3[c.lead ? 0 : 1]->setChecked(true);
        set.Check6->setChecked(c.mtv);
        player.controller.PlayMp3("E:\\A", 0);
        QStringList colours;
        for (const char* line : {"歌名", "第一句", "第二句"}) {
            player.pictureShow.LyricsLine(QString::fromUtf8(line));
            colours.append(Shown());
        }
        EXPECT_EQ(colours, c.colours) << c.lead << c.mtv;
        // The line in white over the lower part of the picture, none over the upper.
        EXPECT_EQ(WhiteIn(0, 120), 0);
        EXPECT_EQ(WhiteIn(120, 240) > 20, c.written) << c.lead << c.mtv;
    }
}

TEST(PictureCompose, KeepsTheAspectOnBlackAndWritesTheLineAtTheBottom)
{
    QImage wide(200, 100, QImage::Format_RGB32);
    wide.fill(Qt::red);
    const QImage plain = PictureShow::Compose(wide, {100, 100}, QString(), QFont());
    EXPECT_EQ(plain.size(), QSize(100, 100));
    EXPECT_EQ(plain.pixelColor(50, 10), QColor(Qt::black));
    EXPECT_EQ(plain.pixelColor(50, 50), QColor(Qt::red));
    EXPECT_EQ(plain.pixelColor(50, 90), QColor(Qt::black));
    const QImage tall = PictureShow::Compose(wide.scaled(50, 100), {100, 100}, QString(), QFont());
    EXPECT_EQ(tall.pixelColor(10, 50), QColor(Qt::black));
    EXPECT_EQ(tall.pixelColor(50, 50), QColor(Qt::red));

    const QImage line = PictureShow::Compose(wide, {300, 200}, "LLLLLLLL", QFont());
    int whiteTop = 0, whiteBottom = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x)
            if (line.pixelColor(x, y) == QColor(Qt::white))
                (y < 100 ? whiteTop : whiteBottom)++;
    EXPECT_EQ(whiteTop, 0);
    EXPECT_GT(whiteBottom, 50);
}

// The settings window confirmed with another folder: the show follows it.
TEST_F(PictureShowTest, ConfirmedSettingsTakeTheNewFolder)
{
    fake.files.MakeFolder("C:\\Other");
    ASSERT_TRUE(pictures::Solid(fake.LocalPath("C:\\Other") + "/b.jpg", {80, 60}, Qt::blue));
    player.controller.PlayMp3("E:\\A", 0);
    EXPECT_EQ(Shown(), "red");
    FrmSet& set = player.forms.Set();
    set.Check1->setChecked(true);
    set.Text1->setText("C:\\Other");
    set.VScroll1->setValue(7);
    player.settingsWindow.SaveSetData();
    EXPECT_EQ(Shown(), "blue");
    EXPECT_EQ(vcd.TimerBMP->interval(), 7000);
    EXPECT_TRUE(vcd.TimerBMP->isActive());
    set.Check1->setChecked(false);
    player.settingsWindow.SaveSetData();
    EXPECT_FALSE(vcd.TimerBMP->isActive());
}

} // namespace
} // namespace tolvane
