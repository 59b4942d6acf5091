#include "pictures/PictureBrowser.h"
#include "PictureFiles.h"
#include "forms/FrmDir.h"
#include "platform/MediaFixtures.h"
#include "skins/SkinFixture.h"
#include "ui/ControlPanel.h"
#include "ui/UiFixture.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

const QString kSkins = QStringLiteral("C:\\Tolvane99\\Skin");

// The browser through the real windows: the main window with its control panel, and
// frmDir as the user sees it.
class BrowserTest : public ::testing::Test, protected SkinFixture
{
protected:
    BrowserTest() : vcd(player.forms.Vcd()), dir(player.forms.Dir()), mouse{vcd}
    {
        player.context.log.LogOpen();
        new ControlPanel(player.PanelActions(), vcd);
        player.faces.InitObj();
        // A skin as large as the built-in layout, so every button lies on it.
        player.context.app.CurrentSkinPicture =
            WritePicture(kSkins, "Sea.jpg", QSize(640, 480), QColor(30, 60, 90));
        player.skins.DeskUpdate(false);
    }
    ~BrowserTest() override { dir.hide(); }

    QString Local(const QString& name, const QString& folder = kSkins) const
    {
        return fake.LocalPath(folder) + "/" + name;
    }
    // Every cell of the page has its thumbnail or says it has none.
    bool PageAnswered() const
    {
        return RunEventsUntil([&] {
            for (const PictureCell* cell : dir.Cell) {
                if (cell->isEnabled() && cell->Picture->pixmap().isNull() &&
                    cell->Picture->text() != "無法讀取")
                    return false;
            }
            return true;
        });
    }
    PictureCell* CellNamed(const QString& name) const
    {
        for (PictureCell* cell : dir.Cell)
            if (cell->Name->toolTip() == name)
                return cell;
        return nullptr;
    }
    void DoubleClick(QWidget& widget)
    {
        Mouse on{*widget.window()};
        const QPoint at = Mouse::Centre(widget);
        on.Press(at);
        on.Release(at);
        on.Send(QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
        on.Release(at);
    }
    QString LastPrompt() const
    {
        return fake.prompter.shown.isEmpty() ? QString() : fake.prompter.shown.last().prompt;
    }

    FrmVCD& vcd;
    FrmDir& dir;
    Mouse mouse;
};

TEST_F(BrowserTest, TheSkinButtonOpensTheBrowserAndADoubleClickMakesThePictureTheSkin)
{
    ASSERT_TRUE(pictures::Solid(Local("Moon.bmp"), {400, 300}, QColor(200, 180, 20)));
    ASSERT_TRUE(pictures::Solid(Local("Wide.png"), {1000, 300}, Qt::red));
    ASSERT_TRUE(pictures::Bytes(Local("Broken.gif"), pictures::Noise()));
    ASSERT_TRUE(pictures::Bytes(Local("Huge.png"), pictures::HugePng()));
    vcd.show();
    mouse.Click(*vcd.PicButton[2]);
    ASSERT_TRUE(dir.isVisible());
    EXPECT_EQ(dir.Text1->text(), kSkins);
    EXPECT_EQ(player.browser.Pictures(), QStringList({"Broken.gif", "Huge.png", "Moon.bmp",
                                                      "Ocean.jpg", "Sea.jpg", "Wide.png"}));
    ASSERT_TRUE(PageAnswered());
    EXPECT_FALSE(CellNamed("Moon.bmp")->Picture->pixmap().isNull());
    EXPECT_EQ(CellNamed("Broken.gif")->Picture->text(), "無法讀取");

    // Pictures that cannot be the skin are refused, and the skin stays.
    const std::pair<const char*, QString> refused[] = {
        {"Wide.png", "這個面板太大了!"},
        {"Huge.png", "這個面板太大了!"},
        {"Broken.gif", "這個面板格式錯誤:" + kSkins + "\\Broken.gif"},
    };
    for (const auto& [name, prompt] : refused) {
        DoubleClick(*CellNamed(name));
        EXPECT_EQ(LastPrompt(), prompt) << name;
        EXPECT_EQ(player.context.app.CurrentSkinPicture, kSkins + "\\Sea.jpg") << name;
        EXPECT_EQ(player.context.skin.LoadedPicture, kSkins + "\\Sea.jpg") << name;
        EXPECT_TRUE(dir.isVisible()) << name;
    }

    const int prompts = fake.prompter.shown.size();
    DoubleClick(*CellNamed("Moon.bmp"));
    EXPECT_EQ(fake.prompter.shown.size(), prompts);
    EXPECT_EQ(player.context.app.CurrentSkinPicture, kSkins + "\\Moon.bmp");
    EXPECT_EQ(player.context.skin.LoadedPicture, kSkins + "\\Moon.bmp");
    EXPECT_EQ(vcd.size(), QSize(400, 300));
    EXPECT_EQ(vcd.Picture().pixel(200, 150), QColor(200, 180, 20).rgb());
    EXPECT_EQ(LogCount("更換面板為" + kSkins + "\\Moon.bmp"), 1);
    EXPECT_FALSE(dir.isVisible());
}

TEST_F(BrowserTest, PagesFollowTheGridAndTheSelectedPictureKeepsItsPage)
{
    fake.files.MakeFolder("C:\\Photos");
    for (int i = 0; i < 11; ++i)
        ASSERT_TRUE(pictures::Solid(
            Local(QString("p%1.jpg").arg(i, 2, 10, QChar('0')), "C:\\Photos"), {60, 40}, Qt::blue));
    ASSERT_TRUE(pictures::Bytes(Local("notes.txt", "C:\\Photos"), "not a picture"));
    player.browser.Open("C:\\Photos");
    struct Step
    {
        std::function<void()> act;
        QString label;
        QString first; // the first cell's picture
        bool previous, next;
    };
    PictureBrowser& browser = player.browser;
    const Step steps[] = {
        {[&] { dir.Combo1->setCurrentIndex(0); }, "第 1 / 3 頁,共 11 張圖片", "p00.jpg", false,
         true},
        {[&] { dir.Command3->click(); }, "第 2 / 3 頁,共 11 張圖片", "p04.jpg", true, true},
        {[&] { dir.Command3->click(); }, "第 3 / 3 頁,共 11 張圖片", "p08.jpg", true, false},
        {[&] { dir.Command3->click(); }, "第 3 / 3 頁,共 11 張圖片", "p08.jpg", true, false},
        {[&] { browser.Select(2); }, "第 3 / 3 頁,共 11 張圖片", "p08.jpg", true, false},
        {[&] { dir.Combo1->setCurrentIndex(1); }, "第 2 / 2 頁,共 11 張圖片", "p09.jpg", true,
         false},
        {[&] { dir.Combo1->setCurrentIndex(4); }, "第 1 / 1 頁,共 11 張圖片", "p00.jpg", false,
         false},
        {[&] { dir.Command2->click(); }, "第 1 / 1 頁,共 11 張圖片", "p00.jpg", false, false},
    };
    int n = 0;
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(dir.Label1->text(), step.label) << n;
        EXPECT_EQ(dir.Cell[0]->Name->toolTip(), step.first) << n;
        EXPECT_EQ(dir.Command2->isEnabled(), step.previous) << n;
        EXPECT_EQ(dir.Command3->isEnabled(), step.next) << n;
        ++n;
    }
    EXPECT_EQ(dir.Cell.size(), 36);
    EXPECT_EQ(browser.Selected(), 10);
    EXPECT_EQ(dir.Label2->text(), "p10.jpg (W60 x H40)");
    EXPECT_FALSE(dir.Cell[11]->isEnabled());
    ASSERT_TRUE(PageAnswered());
}

TEST_F(BrowserTest, EditOpensThePictureWithTheDesktopsProgram)
{
    player.browser.Open(kSkins);
    EXPECT_FALSE(dir.Command4->isEnabled());
    player.browser.Select(0);
    dir.Command4->click();
    EXPECT_EQ(fake.process.opened, QStringList({Local("Ocean.jpg")}));
    EXPECT_TRUE(fake.prompter.shown.isEmpty());
}

// The folder shown goes away: the user is told, the page empties, the skin stays.
TEST_F(BrowserTest, AFolderThatVanishesWhileShown)
{
    const std::function<void()> acts[] = {
        [&] { dir.Command3->click(); },
        [&] { player.browser.Choose(0); },
        [&] { player.browser.Edit(0); },
    };
    for (const auto& act : acts) {
        fake.files.MakeFolder("C:\\Photos");
        for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"})
            ASSERT_TRUE(pictures::Solid(Local(name, "C:\\Photos"), {640, 480}, Qt::green));
        player.browser.Open("C:\\Photos");
        player.browser.SetGrid(2);
        ASSERT_EQ(player.browser.Pictures().size(), 5);
        ASSERT_TRUE(QDir(fake.LocalPath("C:\\Photos")).removeRecursively());
        act();
        EXPECT_EQ(LastPrompt(), "圖片目錄已經不存在:C:\\Photos");
        EXPECT_TRUE(player.browser.Pictures().isEmpty());
        EXPECT_EQ(dir.Label1->text(), "沒有圖片");
        ASSERT_TRUE(PageAnswered());
    }
    EXPECT_EQ(fake.prompter.shown.size(), 3);
    EXPECT_EQ(player.context.app.CurrentSkinPicture, kSkins + "\\Sea.jpg");
    EXPECT_TRUE(fake.process.opened.isEmpty());
}

// Thousands of files, damaged, empty and enormous ones among them: every page is
// answered, the good pictures get thumbnails and the rest are passed over.
TEST_F(BrowserTest, AFolderOfFiveThousandFilesWithBadPicturesAmongThem)
{
    fake.files.MakeFolder("C:\\Dump");
    const QString local = fake.LocalPath("C:\\Dump");
    for (int i = 0; i < 5000; ++i) {
        const QString name = local + QString("/f%1").arg(i, 4, 10, QChar('0'));
        switch (i % 500) {
        case 3:
            ASSERT_TRUE(pictures::Solid(name + ".jpg", {900, 600}, Qt::red));
            break;
        case 4:
            ASSERT_TRUE(pictures::Bytes(name + ".png", pictures::HugePng()));
            break;
        case 5:
            ASSERT_TRUE(pictures::Bytes(name + ".bmp", pictures::HugeBmp()));
            break;
        case 6:
            ASSERT_TRUE(pictures::Bytes(name + ".jpg", pictures::CutJpeg()));
            break;
        case 7:
            ASSERT_TRUE(pictures::Bytes(name + ".gif", pictures::Noise()));
            break;
        default:
            ASSERT_TRUE(pictures::Bytes(name + ".jpg", QByteArray()));
        }
    }
    player.browser.Open("C:\\Dump");
    player.browser.SetGrid(6);
    EXPECT_EQ(player.browser.Pictures().size(), 5000);
    for (int page : {0, 13, 138}) {
        player.browser.ShowPage(page);
        ASSERT_TRUE(PageAnswered()) << page;
    }
    player.browser.ShowPage(13); // files 468 to 503
    ASSERT_TRUE(PageAnswered());
    const QStringList good = {"f0503.jpg"};
    for (const PictureCell* cell : dir.Cell) {
        const QString name = cell->Name->toolTip();
        EXPECT_EQ(cell->Picture->pixmap().isNull(), !good.contains(name)) << name.toStdString();
    }
    EXPECT_EQ(dir.Label1->text(), "第 14 / 139 頁,共 5000 張圖片");
    EXPECT_TRUE(fake.prompter.shown.isEmpty());
}

TEST_F(BrowserTest, AScreenTooSmallForTheSkinOpensTheBrowser)
{
    player.context.skin.PictureWidth = 5000;
    player.skins.ScreenResize();
    EXPECT_EQ(LastPrompt(), "現在的畫面大小被更改,請重新選擇面版!");
    EXPECT_TRUE(dir.isVisible());
    EXPECT_EQ(dir.Text1->text(), kSkins);
}

} // namespace
} // namespace tolvane
