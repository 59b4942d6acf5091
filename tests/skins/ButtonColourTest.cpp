#include "skins/ButtonColour.h"
#include "forms/FrmColor.h"
#include "forms/FrmProg.h"
#include "forms/FrmVCD.h"
#include "skins/ButtonFaces.h"
#include "skins/LayoutFile.h"
#include "skins/SkinFixture.h"
#include "skins/SkinLoader.h"

#include <gtest/gtest.h>

using namespace tolvane;

namespace {

const QString kLayout = "C:\\Tolvane99\\Skin\\Sea.INI";

class ButtonColourTest : public ::testing::Test, protected SkinFixture
{
protected:
    void SetUp() override
    {
        player.context.log.LogOpen();
        player.faces.InitObj();
    }
    void Bars(std::array<int, 4> values)
    {
        for (int i = 0; i < 4; ++i)
            color.VScroll1[i]->setValue(values[i]);
    }
    std::array<int, 4> Bars() const
    {
        return {color.VScroll1[0]->value(), color.VScroll1[1]->value(), color.VScroll1[2]->value(),
                color.VScroll1[3]->value()};
    }
    QStringList Values() const
    {
        QStringList values;
        for (const QLabel* label : color.Label2)
            values.append(label->text());
        return values;
    }
    QColor Added() const { return color.FPicColor->palette().color(QPalette::Window); }
    // A skin of the default size, loaded with its faces made and cached.
    void LoadSea(QSize size = QSize(576, 360))
    {
        player.context.app.CurrentSkinPicture =
            WritePicture("C:\\Tolvane99\\Skin", "Sea.bmp", size, QColor(90, 120, 150));
        player.skins.DeskUpdate(false);
    }
    QList<QByteArray> Cache() const
    {
        QList<QByteArray> faces;
        for (int i = 0; i < ButtonFaces::kButtonTotal; ++i)
            faces.append(
                fake.ReadBytes(QString("C:\\cache\\Sea-%1.Bmp").arg(i, 2, 10, QChar('0'))));
        return faces;
    }

    FrmVCD& vcd = player.forms.Vcd();
    FrmColor& color = player.forms.Color();
};

TEST_F(ButtonColourTest, EachKindNamesThePaletteAndEnablesWhatItUsesKeepingTheBars)
{
    Bars({-30, 40, -50, 10});
    // Kind, palette caption, palette enabled, colour pick enabled.
    for (auto [kind, caption, palette, pick] : {std::tuple{2, "不作處理", false, false},
                                                {1, "加入色彩", true, true},
                                                {0, "按鈕色彩", true, false},
                                                {2, "不作處理", false, false}}) {
        color.ColorType[kind]->click();
        EXPECT_EQ(
            std::tuple(color.Frame3->title(), color.Frame3->isEnabled(), color.Check1->isEnabled()),
            std::tuple(QString(caption), palette, pick))
            << kind;
        EXPECT_EQ(Bars(), (std::array{-30, 40, -50, 10}));
    }
}

TEST_F(ButtonColourTest, BarsShowTheValuesTheFacesUseAndTheColourTheyAdd)
{
    struct Case
    {
        std::array<int, 4> bars;
        QStringList values;
        QColor added;
    };
    const Case cases[] = {
        {{200, 0, 0, 50}, {"200", "0", "0", "-50"}, QColor(150, 0, 0)},
        {{-200, -100, -50, 0}, {"200", "100", "50", "0"}, QColor(200, 100, 50)},
        {{100, -100, 0, -200}, {"100", "100", "0", "200"}, QColor(255, 255, 200)},
        {{-255, 30, 20, 25}, {"255", "30", "20", "-25"}, QColor(230, 5, 0)},
    };
    for (const Case& c : cases) {
        Bars(c.bars);
        EXPECT_EQ(Values(), c.values);
        EXPECT_EQ(Added(), c.added) << c.bars[0];
    }
    color.Command3->click();
    EXPECT_EQ(Bars(), (std::array{0, 0, 0, 0}));
    EXPECT_EQ(Values(), QStringList({"0", "0", "0", "0"}));
    EXPECT_EQ(Added(), QColor(0, 0, 0));
}

TEST_F(ButtonColourTest, SizeFieldsResizeTheSelectedButtonOnlyWithTheMaskSizeOption)
{
    SkinButton& button = *vcd.PicCtl[4];
    player.colours.Select(&button, &vcd.PicCtlBak[4]);
    EXPECT_EQ(std::pair(color.Text1[0]->text(), color.Text1[1]->text()),
              std::pair(QString("24"), QString("50")));
    // Option, height and width typed, size after, fields after.
    struct Case
    {
        int option;
        QString height, width;
        QSize size;
    };
    const Case cases[] = {
        {1, "30", "70", QSize(50, 24)}, {0, "30", "70", QSize(50, 24)},
        {2, "30", "70", QSize(70, 30)}, {2, "3", "99999", QSize(vcd.width(), 10)},
        {2, "", "40", QSize(40, 10)},
    };
    for (const Case& c : cases) {
        color.MaskSize[c.option]->click();
        for (QLineEdit* field : color.Text1)
            EXPECT_EQ(field->isEnabled(), c.option == 2);
        color.Text1[0]->setText(c.height);
        color.Text1[1]->setText(c.width);
        Q_EMIT color.Text1[1]->editingFinished();
        EXPECT_EQ(button.size(), c.size) << c.option << " " << c.height.toStdString();
        // The mask box follows, so the next face is made at the new size.
        EXPECT_EQ(vcd.PicCtlBak[4].Picture.size(), c.size);
    }
    EXPECT_EQ(color.Text1[0]->text(), "10");
    EXPECT_EQ(vcd.SelectFrame->geometry(), button.geometry().adjusted(-2, -2, 2, 2));
}

// Saving writes the layout and leaves the cached faces; updating writes it too and
// makes the faces of the ticked kinds again with the new colours.
TEST_F(ButtonColourTest, SaveWritesTheLayoutOnlyAndUpdateMakesTheTickedKindsAgain)
{
    LoadSea();
    const QList<QByteArray> before = Cache();
    ASSERT_EQ(LogCount("產生按鈕-"), 29);
    vcd.PicCtl[4]->move(200, 150);
    color.ColorType[1]->click();
    Bars({-200, -100, -50, 0});
    color.Check1->setChecked(true);

    color.Command5->click();
    EXPECT_EQ(player.context.ini.IniFile, kLayout);
    for (auto [section, key, value] : {std::tuple{"控制台", "X4", "200"},
                                       {"控制台", "Y4", "150"},
                                       {"編輯", "Mode", "1"},
                                       {"編輯", "Color0", "-200"},
                                       {"編輯", "Color2", "-50"}})
        EXPECT_EQ(player.context.ini.ReadIni(section, key), value) << key;
    EXPECT_EQ(Cache(), before);
    EXPECT_EQ(LogCount("產生按鈕-"), 29);
    EXPECT_FALSE(color.Check1->isChecked());

    color.Check2[0]->setChecked(false); // no function buttons
    vcd.PicCtl[4]->move(210, 150);
    color.Command1->click();
    EXPECT_EQ(player.context.ini.ReadIni("控制台", "X4"), "210");
    EXPECT_EQ(LogCount("產生按鈕-"), 29 + 24);
    const QList<QByteArray> after = Cache();
    for (int i = 0; i < 24; ++i)
        EXPECT_NE(after[i], before[i]) << i;
    for (int i = 24; i < 29; ++i)
        EXPECT_EQ(after[i], before[i]) << i;
    EXPECT_EQ(player.forms.Prog().ProgressBar1->value(), 24 * 100 / 29);
    // The new face is cut where the button now is, tinted: red over green over blue.
    const QRgb middle = vcd.PicCtl[4]->Face().pixel(25, 12);
    EXPECT_GT(qRed(middle), qGreen(middle));
    EXPECT_GT(qGreen(middle), qBlue(middle));
}

TEST_F(ButtonColourTest, RestoreBringsBackTheBuiltInPlacesAndColoursKeepingSizes)
{
    player.context.ini.IniFile = "C:\\Tolvane99\\Skin\\Button.ini";
    color.Command4->click();
    EXPECT_EQ(LogCount("面板設定檔不存在-C:\\Tolvane99\\Skin\\Button.ini"), 1);
    player.layout.WriteLayout();
    LoadSea(QSize(400, 300));
    vcd.PicCtl[0]->setGeometry(10, 10, 60, 30);
    vcd.Label2[0]->move(5, 5);
    vcd.PicButton[4]->move(5, 5);
    color.ColorType[2]->click();
    Bars({7, 8, 9, 10});

    color.Command4->click();
    EXPECT_EQ(vcd.PicCtl[0]->size(), QSize(60, 30));
    EXPECT_EQ(vcd.PicButton[4]->pos(), QPoint(300, 11)); // as built in: it fits whole
    // A built-in place beyond this smaller skin is brought to its edge.
    EXPECT_EQ(vcd.PicCtl[0]->pos(), QPoint(400 - 60, 106));
    EXPECT_EQ(vcd.Label2[0]->pos(), QPoint(400 - 70, 62));
    for (QWidget* object : vcd.findChildren<SkinButton*>())
        EXPECT_TRUE(vcd.rect().contains(object->geometry())) << object->objectName().toStdString();
    EXPECT_TRUE(color.ColorType[0]->isChecked());
    EXPECT_EQ(Bars(), (std::array{0, 0, 0, 0}));
    EXPECT_FALSE(vcd.PicCtl[0]->isHidden());
}

TEST_F(ButtonColourTest, AChosenSkinBringsItsColourSettingsIntoTheWindowAndItsFaces)
{
    struct Case
    {
        const char* edit; // the layout's colour settings
        int kind;
        QString caption;
        bool pick;
        QStringList values;
        QColor added;
    };
    const Case cases[] = {
        // The window as it was made: the kind stays, and now shows its palette.
        {"Mode=0\r\nColor0=0\r\nColor1=0\r\nColor2=0\r\nColor3=0",
         0,
         "按鈕色彩",
         false,
         {"0", "0", "0", "0"},
         QColor(0, 0, 0)},
        {"Mode=1\r\nColor0=-200\r\nColor1=-100\r\nColor2=-50\r\nColor3=0",
         1,
         "加入色彩",
         true,
         {"200", "100", "50", "0"},
         QColor(200, 100, 50)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edit);
        fake.files.WriteAll(kLayout, QByteArray("[編輯]\r\n") + c.edit + "\r\n");
        fake.files.Remove("C:\\cache\\Sea-00.Bmp");
        player.skins.SkinMenuClick(
            WritePicture("C:\\Tolvane99\\Skin", "Sea.bmp", QSize(576, 360), QColor(90, 120, 150)));
        EXPECT_TRUE(color.ColorType[c.kind]->isChecked());
        EXPECT_EQ(
            std::tuple(color.Frame3->title(), color.Frame3->isEnabled(), color.Check1->isEnabled()),
            std::tuple(c.caption, true, c.pick));
        EXPECT_EQ(Values(), c.values);
        EXPECT_EQ(Added(), c.added);
    }
    // The face made for the new skin is tinted: red over green over blue.
    const QRgb middle = vcd.PicCtl[0]->Face().pixel(25, 12);
    EXPECT_GT(qRed(middle), qGreen(middle));
    EXPECT_GT(qGreen(middle), qBlue(middle));
}

TEST(ButtonColourPick, PickedColoursBecomeNegatedAmountsWithNeutralLight)
{
    for (auto [colour, bars] : {std::pair{0x003264C8u, std::array{-200, -100, -50, 0}},
                                {0x00000000u, std::array{0, 0, 0, 0}},
                                {0x00FFFFFFu, std::array{-255, -255, -255, 0}},
                                {0x00010203u, std::array{-3, -2, -1, 0}}})
        EXPECT_EQ(ButtonColour::PickedBars(colour), bars) << colour;
    EXPECT_EQ(ButtonColour::Preview(ButtonColour::PickedBars(0x003264C8u)), QColor(200, 100, 50));
}

} // namespace
