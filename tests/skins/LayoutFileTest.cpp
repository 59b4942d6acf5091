#include "skins/LayoutFile.h"
#include "fakes/FullDisk.h"
#include "forms/FrmColor.h"
#include "forms/FrmVCD.h"
#include "skins/SkinFixture.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace tolvane;

namespace {

class LayoutFileTest : public ::testing::Test, protected SkinFixture
{
protected:
    void SetUp() override { player.context.ini.IniFile = "C:\\Tolvane99\\Skin\\Sea.INI"; }
    FrmVCD& vcd() { return player.forms.Vcd(); }
};

TEST_F(LayoutFileTest, WritingThenReadingRestoresTheWholeLayout)
{
    WritePicture("C:\\Tolvane99\\Button Mask", "Round.bmp", QSize(30, 30), Qt::gray);
    vcd().PicCtl[3]->setGeometry(100, 110, 44, 33);
    vcd().PicCtl[3]->Tag = "Round.bmp";
    vcd().PicNum[9]->setGeometry(5, 6, 70, 25);
    vcd().PicButton[2]->hide();
    vcd().Label2[1]->setFont(QFont(vcd().Label2[1]->font().family(), 14, -1, true));
    vcd().Label2[1]->setGeometry(300, 40, 90, 20);
    vcd().Label1->setGeometry(20, 290, 200, 18);
    vcd().Image1->setGeometry(10, 20, 300, 200);
    vcd().Image1->show();
    player.forms.Color().ColorType[2]->setChecked(true);
    player.forms.Color().VScroll1[3]->setValue(-40);
    player.layout.WriteLayout();

    Player other(fake.platform);
    other.context.app.MaskFolder = player.context.app.MaskFolder;
    other.context.ini.IniFile = player.context.ini.IniFile;
    other.layout.ReadLayout(true);
    FrmVCD& read = other.forms.Vcd();
    EXPECT_EQ(read.PicCtl[3]->geometry(), QRect(100, 110, 44, 33));
    EXPECT_EQ(read.PicCtl[3]->Tag, "Round.bmp");
    EXPECT_EQ(read.PicCtlBak[3].Tag, "C:\\Tolvane99\\Button Mask\\Round.bmp");
    EXPECT_EQ(read.PicCtlBak[3].Picture.size(), QSize(44, 33));
    EXPECT_EQ(read.PicNum[9]->geometry(), QRect(5, 6, 70, 25));
    EXPECT_TRUE(read.PicButton[2]->isHidden());
    EXPECT_FALSE(read.PicButton[1]->isHidden());
    EXPECT_TRUE(read.Label2[1]->font().italic());
    EXPECT_EQ(read.Label2[1]->font().pointSize(), 14);
    EXPECT_EQ(read.Label2[1]->pos(), QPoint(300, 40));
    EXPECT_EQ(read.Label2[1]->width(), 90);
    EXPECT_EQ(read.Label1->pos(), QPoint(20, 290));
    EXPECT_EQ(read.Label1->width(), 200);
    EXPECT_EQ(other.context.skin.TextHome, read.Label1->geometry());
    EXPECT_EQ(read.Image1->geometry(), QRect(10, 20, 300, 200));
    EXPECT_TRUE(other.context.skin.PictureVisible);
    EXPECT_TRUE(other.forms.Color().ColorType[2]->isChecked());
    EXPECT_EQ(other.forms.Color().VScroll1[3]->value(), -40);
}

TEST_F(LayoutFileTest, SectionsAndKeysAreWrittenInOrder)
{
    player.layout.WriteLayout();
    QStringList lines = fake.ReadLines(player.context.ini.IniFile);
    EXPECT_EQ(lines.mid(0, 15),
              QStringList({"[編輯]", "Mode=0", "Color0=0", "Color1=0", "Color2=0", "Color3=0",
                           "PicWidth=0", "PicHeight=0", "[控制台]", "X0=447", "Y0=106", "W0=50",
                           "H0=24", "File0=", "Visible0=True"}));
    EXPECT_EQ(lines.filter(QRegularExpression("^\\[")),
              QStringList({"[編輯]", "[控制台]", "[選曲]", "[功能]", "[LOGO]", "[時間]", "[文字]",
                           "[數字]", "[圖形]"}));
    // The logo labels share one set of font keys.
    EXPECT_EQ(lines.count("FontName=" + vcd().Label3[1]->font().family()), 3);
}

TEST_F(LayoutFileTest, ReadRulesForMissingFilesSizesPositionsAndMissingMasks)
{
    // A missing file only writes its log line.
    player.context.log.LogOpen();
    const QRect before = vcd().PicCtl[0]->geometry();
    player.layout.ReadLayout(true);
    EXPECT_EQ(vcd().PicCtl[0]->geometry(), before);
    EXPECT_EQ(LogCount("面板設定檔不存在-C:\\Tolvane99\\Skin\\Sea.INI"), 1);
    EXPECT_EQ(LogCount("面板設定檔讀取完成"), 0);

    fake.files.WriteAll(player.context.ini.IniFile,
                        "[控制台]\r\nX0=10\r\nY0=20\r\nW0=9\r\nH0=40\r\nFile0=Gone.bmp\r\n"
                        "Visible0=1\r\n[LOGO]\r\nX0=-5\r\nY0=2.5\r\nSize0=0\r\n"
                        "[時間]\r\nX1=1\r\nY1=0\r\nW1=0\r\n[文字]\r\nX=0\r\nY=77\r\n");
    QImage builtIn(50, 24, QImage::Format_RGB32);
    builtIn.fill(Qt::darkGray);
    vcd().PicCtlBak[0].Picture = builtIn;
    QPoint timeBefore = vcd().Label2[1]->pos();
    int textLeft = vcd().Label1->x();
    player.layout.ReadLayout(true);
    SkinButton& button = *vcd().PicCtl[0];
    EXPECT_EQ(button.geometry(), QRect(10, 20, 50, 40)); // a width below 10 is ignored
    EXPECT_FALSE(button.isHidden());
    EXPECT_TRUE(button.Tag.isEmpty());
    EXPECT_TRUE(vcd().PicCtlBak[0].Tag.isEmpty());
    EXPECT_EQ(vcd().PicCtlBak[0].Picture, builtIn);
    EXPECT_TRUE(vcd().PicCtl[1]->isHidden()); // no key: hidden at 0,0
    EXPECT_EQ(vcd().PicCtl[1]->pos(), QPoint(0, 0));
    EXPECT_EQ(vcd().Label3[0]->pos(), QPoint(0, 2)); // 2.5 rounds to even
    EXPECT_EQ(vcd().Label3[0]->font().pointSize(), 12);
    EXPECT_EQ(vcd().Label2[1]->pos(), timeBefore);
    EXPECT_EQ(vcd().Label2[1]->width(), 48);
    EXPECT_EQ(vcd().Label1->pos(), QPoint(textLeft, 77));
    EXPECT_EQ(vcd().Label1->width(), 165);

    // Values a window cannot hold are brought within the screen's range and sizes within
    // the skin picture, before any mask picture is made of them.
    player.context.app.CurrentSkinPicture =
        WritePicture("C:\\Tolvane99\\Skin", "Sea.bmp", QSize(320, 200));
    WritePicture("C:\\Tolvane99\\Button Mask", "Round.bmp", QSize(30, 30), Qt::gray);
    fake.files.WriteAll(player.context.ini.IniFile,
                        "[控制台]\r\nX0=2147483647\r\nY0=-1e300\r\nW0=30000\r\nH0=30000\r\n"
                        "File0=Round.bmp\r\n[時間]\r\nSize0=1e300\r\nX0=1e20\r\nW0=99999\r\n"
                        "[編輯]\r\nColor0=1e300\r\n[圖形]\r\nW=-5e9\r\nH=1e9\r\n");
    player.layout.ReadLayout(true);
    EXPECT_EQ(button.geometry(), QRect(32767, -32768, 320, 200));
    EXPECT_EQ(vcd().PicCtlBak[0].Picture.size(), QSize(320, 200));
    EXPECT_EQ(vcd().Label2[0]->x(), 32767);
    EXPECT_EQ(vcd().Label2[0]->width(), 320);
    EXPECT_LE(vcd().Label2[0]->font().pointSizeF(), 200);
    EXPECT_EQ(vcd().Image1->size(), QSize(0, 200));

    // With sizes off the buttons keep their own.
    fake.files.WriteAll(player.context.ini.IniFile, "[功能]\r\nX0=1\r\nY0=2\r\nW0=99\r\nH0=99\r\n");
    const QSize size = vcd().PicButton[0]->size();
    player.layout.ReadLayout(false);
    EXPECT_EQ(vcd().PicButton[0]->geometry(), QRect(QPoint(1, 2), size));
}

// A full disk leaves the layout file as it was and is told once; the new layout goes to
// disk with the next save that succeeds, and the lines of an old layout it no longer
// has go.
TEST_F(LayoutFileTest, AFullDiskLeavesTheLayoutAsItWas)
{
    fake.files.WriteAll(player.context.ini.IniFile, "[old]\r\nstale=1\r\n");
    player.layout.WriteLayout();
    const QByteArray before = fake.ReadBytes(player.context.ini.IniFile);
    ASSERT_FALSE(before.contains("stale"));
    vcd().PicCtl[3]->move(123, 45);
    {
        FullDisk full;
        player.layout.WriteLayout();
        player.layout.WriteLayout();
    }
    EXPECT_EQ(fake.ReadBytes(player.context.ini.IniFile), before);
    EXPECT_EQ(player.context.ini.ReadIni("控制台", "X3"), "123");
    ASSERT_EQ(fake.prompter.shown.size(), 1);
    EXPECT_TRUE(fake.prompter.shown[0].prompt.contains(fake.LocalPath(player.context.ini.IniFile)));

    vcd().PicCtl[4]->move(67, 89);
    player.layout.WriteLayout();
    const QStringList lines = fake.ReadLines(player.context.ini.IniFile);
    EXPECT_TRUE(lines.contains("X3=123"));
    EXPECT_TRUE(lines.contains("Y4=89"));
    EXPECT_EQ(lines.count("[控制台]"), 1);
}

} // namespace
