#include "skins/SkinLoader.h"
#include "fakes/FullDisk.h"
#include "forms/FrmColor.h"
#include "forms/FrmMenu.h"
#include "forms/FrmVCD.h"
#include "platform/DosFiles.h"
#include "skins/ButtonFaces.h"
#include "skins/SkinFixture.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace tolvane;

namespace {

const QString kResources = QStringLiteral(TOLVANE_SOURCE_DIR "/resources");

TEST(PictureHeader, SizesOfTheShippedSkins)
{
    DriveMap drives({{'R', kResources, kDriveFixed}});
    DosFiles files(drives);
    EXPECT_EQ(SkinLoader::HeaderSize(files, "R:\\Desk\\Tolvan.JPG"), QSize(576, 360));
    EXPECT_EQ(SkinLoader::HeaderSize(files, "R:\\Skin\\Jade.gif"), QSize(604, 382));
    EXPECT_EQ(SkinLoader::HeaderSize(files, "R:\\Skin\\missing.bmp"), QSize());
}

TEST(ScreenWidth, StandardWidthsFollowTheHeight)
{
    EXPECT_EQ(SkinLoader::StandardWidth(600, 1000), 800);
    EXPECT_EQ(SkinLoader::StandardWidth(1200, 1920), 1600);
    EXPECT_EQ(SkinLoader::StandardWidth(1080, 1920), 1920);
}

class SkinLoaderTest : public ::testing::Test, protected SkinFixture
{
protected:
    void SetUp() override { player.context.log.LogOpen(); }
    void Load(const QString& path)
    {
        player.context.app.CurrentSkinPicture = path;
        player.skins.DeskUpdate(false);
    }
};

TEST_F(SkinLoaderTest, SkinsSitAtTheLeftOrTopCentredAndLabelsTakeTheInverseColour)
{
    // The layout file lies in the skin folder whatever the picture's folder.
    fake.files.MakeFolder("C:\\Pictures");
    Load(WritePicture("C:\\Pictures", "Sea.jpg", QSize(640, 480), Qt::black));
    EXPECT_EQ(player.forms.Vcd().geometry(), QRect(0, (600 - 480) / 2, 640, 480));
    EXPECT_EQ(player.context.skin.LayoutFile, "C:\\Tolvane99\\Skin\\Sea.INI");
    EXPECT_TRUE(player.forms.Vcd().isVisible());
    EXPECT_EQ(player.forms.Vcd().Label1->palette().color(QPalette::WindowText), QColor(Qt::white));
    Load(WritePicture("C:\\Tolvane99\\Skin", "Tall.bmp", QSize(200, 500)));
    EXPECT_EQ(player.forms.Vcd().pos(), QPoint((800 - 200) / 2, 0));
    Load(WritePicture("C:\\Tolvane99\\Skin", "Pale.bmp", QSize(576, 360), QColor(86, 52, 18)));
    EXPECT_EQ(player.forms.Vcd().Label1->palette().color(QPalette::WindowText),
              QColor(160, 192, 224));
}

TEST_F(SkinLoaderTest, SkinMenuDisablesWhatDoesNotFitAndAGoneSkinFallsBack)
{
    WritePicture("C:\\Tolvane99\\Skin", "Big.bmp", QSize(900, 100));
    WritePicture("C:\\Tolvane99\\Skin", "Small.bmp", QSize(300, 200));
    fake.files.WriteAll("C:\\Tolvane99\\Skin\\Button.ini", "[a]\r\n");
    player.skins.ChkDeskFile();
    const QList<QAction*>& entries = player.forms.Menu().mDeskPic;
    ASSERT_EQ(entries.size(), 3); // Big, Ocean, Small
    EXPECT_EQ(entries[0]->text(), "Big.bmp (W900 x H100)");
    EXPECT_FALSE(entries[0]->isEnabled());
    EXPECT_EQ(entries[2]->text(), "Small.bmp (W300 x H200)");
    EXPECT_TRUE(entries[2]->isEnabled());
    EXPECT_EQ(entries[2]->data().toString(), "C:\\Tolvane99\\Skin\\Small.bmp");

    // A skin that is gone falls back to the default picture.
    player.context.app.CurrentSkinPicture = "C:\\Tolvane99\\Skin\\Gone.jpg";
    player.skins.ChkDeskName();
    EXPECT_EQ(player.context.app.CurrentSkinPicture, "C:\\Tolvane99\\Desk\\Tolvan.JPG");
    EXPECT_EQ(player.context.skin.CacheFile, "C:\\cache\\Tolvan-00.Bmp");

    // So does one larger than the screen, with a word to the user.
    player.context.app.CurrentSkinPicture = "C:\\Tolvane99\\Skin\\Big.bmp";
    player.skins.ChkDeskName();
    EXPECT_EQ(player.context.app.CurrentSkinPicture, "C:\\Tolvane99\\Desk\\Tolvan.JPG");
    ASSERT_EQ(fake.prompter.shown.size(), 1);
    EXPECT_TRUE(fake.prompter.shown[0].prompt.contains("(W900 x H100)"));
}

TEST_F(SkinLoaderTest, ADamagedPictureIsLoggedUnlessItWasReadBefore)
{
    fake.files.WriteAll("C:\\Tolvane99\\Skin\\Broken.jpg", "not a picture at all");
    Load("C:\\Tolvane99\\Skin\\Broken.jpg");
    EXPECT_EQ(LogCount("這個面板格式錯誤C:\\Tolvane99\\Skin\\Broken.jpg"), 1);
    EXPECT_EQ(LogCount("開始載入按鈕"), 0);
    EXPECT_FALSE(player.forms.Vcd().isVisible());

    // Were the same picture read again, this damaged copy would fail the load.
    QString path = WritePicture("C:\\Tolvane99\\Skin", "Sea.bmp", QSize(300, 200));
    Load(path);
    fake.files.WriteAll(path, "damaged");
    Load(path);
    EXPECT_EQ(LogCount("這個面板格式錯誤"), 1);
    EXPECT_EQ(player.forms.Vcd().size(), QSize(300, 200));
}

TEST_F(SkinLoaderTest, OnlyGifSkinsAreShapedAndOthersFollowTheWindowsVersion)
{
    QFile::copy(kResources + "/Skin/Jade.gif", fake.LocalPath("C:\\Tolvane99\\Skin") + "/Sea.GIF");
    Load("C:\\Tolvane99\\Skin\\Sea.GIF");
    FrmVCD& vcd = player.forms.Vcd();
    EXPECT_FALSE(vcd.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(vcd.mask().contains(QPoint(300, 190)));

    player.context.app.WindowsVersion = "Windows 98";
    Load(WritePicture("C:\\Tolvane99\\Skin", "Sea.jpg", QSize(320, 200)));
    EXPECT_EQ(vcd.mask(), QRegion(0, 0, 320, 200));
    player.context.app.WindowsVersion = "Windows 95";
    Load(WritePicture("C:\\Tolvane99\\Skin", "Other.jpg", QSize(320, 200)));
    EXPECT_TRUE(vcd.mask().isEmpty());
}

TEST_F(SkinLoaderTest, OnlyTheFacesOfTheTickedKindsAreMadeNumberedFromZero)
{
    player.faces.InitObj();
    player.forms.Color().Check2[0]->setChecked(false);
    player.forms.Color().Check2[1]->setChecked(false);
    Load(WritePicture("C:\\Tolvane99\\Skin", "Reef.bmp", QSize(576, 360)));
    EXPECT_EQ(fake.files.ListFiles("C:\\cache", "Reef-*.bmp").size(), 14);
    EXPECT_TRUE(fake.files.FileExists("C:\\cache\\Reef-13.Bmp"));
}

// Showing a skin again loads its faces from the cache; those that do not load as a
// picture of the button's size (left empty by a full disk, cut short, of another size)
// are made and saved again.
TEST_F(SkinLoaderTest, ShowingASkinAgainLoadsItsCachedFacesAndMakesBadOnesAgain)
{
    player.faces.InitObj();
    Load(WritePicture("C:\\Tolvane99\\Skin", "Sea.bmp", QSize(576, 360)));
    ASSERT_EQ(LogCount("產生按鈕-"), 29);
    FrmVCD& vcd = player.forms.Vcd();
    const QImage made = vcd.PicCtl[0]->pixmap().toImage();
    const QString first = "C:\\cache\\Sea-00.Bmp";
    const QByteArray good = fake.ReadBytes(first);
    ASSERT_FALSE(good.isEmpty());
    const QString names[] = {"Sea-00.Bmp", "Sea-01.Bmp", "Sea-02.Bmp"};
    const QByteArray damaged[] = {QByteArray(), good.left(good.size() / 2), QByteArray()};
    for (int i = 0; i < 3; ++i)
        fake.files.WriteAll("C:\\cache\\" + names[i], damaged[i]);
    WritePicture("C:\\cache", names[2], vcd.PicCtl[2]->size() / 2);
    for (SkinButton* button : vcd.PicCtl)
        button->SetFace(QImage(button->size(), QImage::Format_RGB32));

    player.skins.SkinMenuClick("C:\\Tolvane99\\Skin\\Sea.bmp");
    EXPECT_EQ(LogCount("產生按鈕-"), 32);
    EXPECT_EQ(LogCount("產生按鈕-C:\\cache\\Sea-02.Bmp"), 2);
    EXPECT_EQ(LogCount("載入按鈕-"), 29);
    EXPECT_EQ(LogCount("更換面板為C:\\Tolvane99\\Skin\\Sea.bmp"), 1);
    EXPECT_EQ(vcd.PicCtl[0]->pixmap().toImage(), made);
    for (int i = 0; i < 3; ++i) {
        QImage saved;
        EXPECT_TRUE(saved.load(fake.LocalPath("C:\\cache\\" + names[i]))) << i;
        EXPECT_EQ(saved.size(), vcd.PicCtl[i]->size()) << i;
    }
    EXPECT_EQ(fake.ReadBytes(first), good);
}

// A full disk while the faces are made again leaves the cached pictures as they were,
// and is told once for the whole cache until a save there succeeds again.
TEST_F(SkinLoaderTest, AFullDiskLeavesTheCachedFacesAsTheyWereAndIsToldOnce)
{
    player.faces.InitObj();
    Load(WritePicture("C:\\Tolvane99\\Skin", "Sea.bmp", QSize(576, 360)));
    auto cached = [&](int i) {
        return fake.ReadBytes(QString("C:\\cache\\Sea-%1.Bmp").arg(i, 2, 10, QChar('0')));
    };
    QList<QByteArray> before;
    for (int i = 0; i < 29; ++i)
        before.append(cached(i));
    player.forms.Color().VScroll1[0]->setValue(player.forms.Color().VScroll1[0]->value() + 30);
    {
        FullDisk full;
        player.skins.DeskUpdate(true);
        player.skins.DeskUpdate(true);
    }
    for (int i = 0; i < 29; ++i)
        EXPECT_EQ(cached(i), before[i]) << i;
    EXPECT_EQ(fake.files.ListFiles("C:\\cache", "*").size(), 29);
    const QString folder = fake.LocalPath("C:\\cache");
    ASSERT_EQ(fake.prompter.shown.size(), 1);
    EXPECT_TRUE(fake.prompter.shown[0].prompt.startsWith("無法儲存 " + folder + "\r\n"));

    // With room again the new faces are saved; a later failure (the folder gone, which
    // the log can tell as well) is told again.
    player.skins.DeskUpdate(true);
    EXPECT_NE(cached(0), before[0]);
    EXPECT_EQ(fake.prompter.shown.size(), 1);
    ASSERT_TRUE(QDir(folder).removeRecursively());
    player.skins.DeskUpdate(true);
    EXPECT_EQ(fake.prompter.shown.size(), 2);
    EXPECT_EQ(LogCount("無法儲存" + folder + ":"), 1);
}

TEST_F(SkinLoaderTest, InitObjCentresIconsAndShowObjHidesTheCaptureButton)
{
    player.faces.InitObj();
    FrmVCD& vcd = player.forms.Vcd();
    QLabel* icon = vcd.ImageButton1[0];
    EXPECT_EQ(icon->x(), (vcd.PicCtl[0]->width() - icon->width()) / 2);
    // The play button shows the pause picture while an audio CD plays.
    ASSERT_EQ(vcd.ImagePause.size(), 2);
    EXPECT_EQ(vcd.ImagePause[0].toImage(), icon->pixmap().toImage());
    EXPECT_NE(vcd.ImagePause[1].toImage(), icon->pixmap().toImage());
    // The knob stays inside its track.
    EXPECT_LE(vcd.PicCtl[13]->height(), vcd.PicCtl[9]->height());
    // The built-in mask marks its outside with the top-left colour.
    const QImage& mask = vcd.PicCtlBak[0].Picture;
    EXPECT_EQ(mask.size(), vcd.PicCtl[0]->size());
    EXPECT_NE(mask.pixel(mask.width() / 2, mask.height() / 2), mask.pixel(0, 0));

    // Showing hides the capture button and the item line.
    vcd.TimerBMP->start();
    player.faces.ShowObj(true);
    EXPECT_TRUE(vcd.PicCtl[6]->isHidden());
    EXPECT_TRUE(vcd.Label2[2]->isHidden());
    EXPECT_FALSE(vcd.PicCtl[5]->isHidden());
    EXPECT_FALSE(vcd.LabNum[3]->isHidden());
    EXPECT_TRUE(vcd.DeskPic[0]->isHidden());
    EXPECT_TRUE(vcd.Image1->isHidden()); // background pictures are off
    EXPECT_TRUE(vcd.TimerBMP->isActive());
    // The lyrics list stays hidden, and its own parts stay for when it shows.
    EXPECT_TRUE(vcd.SongList->isHidden());
    EXPECT_FALSE(vcd.SongList->viewport()->isHidden());
    player.faces.ShowObj(false);
    EXPECT_TRUE(vcd.PicCtl[5]->isHidden());
}

TEST(CacheFileName, NumbersKeepTwoDigits)
{
    EXPECT_EQ(ButtonFaces::NextCacheFile("C:\\c\\my-sea-09.Bmp"), "C:\\c\\my-sea-10.Bmp");
    EXPECT_EQ(ButtonFaces::NextCacheFile("C:\\c\\Sea-99.Bmp"), "C:\\c\\Sea-100.Bmp");
}

TEST_F(SkinLoaderTest, ClearingTheCacheDeletesBitmapsOnly)
{
    WritePicture("C:\\cache", "a-00.Bmp", QSize(4, 4));
    WritePicture("C:\\cache", "a-01.bmp", QSize(4, 4));
    fake.files.WriteAll("C:\\cache\\keep.txt", "x");
    fake.prompter.answers = {kIdYes};
    player.faces.DelTemp(true);
    ASSERT_EQ(fake.prompter.shown.size(), 1);
    EXPECT_EQ(fake.prompter.shown[0].prompt, "第一次執行,您是否要清除舊的快取資料?");
    EXPECT_EQ(fake.files.ListFiles("C:\\cache", "*.*"), QStringList({"keep.txt"}));
    player.faces.DelTemp(true); // fewer than two bitmaps: no question
    EXPECT_EQ(fake.prompter.shown.size(), 1);
}

} // namespace
