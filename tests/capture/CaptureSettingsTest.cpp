#include "app/Context.h"
#include "capture/CaptureFiles.h"
#include "capture/CutSetWindow.h"
#include "fakes/PlayerFixture.h"
#include "forms/FrmCutSet.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

TEST(CaptureFileNameTest, TheDigitsBeforeTheExtensionCountUpInTheirWidth)
{
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Temp\\Cut0000.BMP", "C:\\Temp\\Cut0001.BMP"},
        {"C:\\Temp\\ABCD000.BMP", "C:\\Temp\\ABCD001.BMP"},
        {"C:\\Temp\\Cut0099.bmp", "C:\\Temp\\Cut0100.bmp"},
        {"C:\\Temp\\Cut9999.BMP", "C:\\Temp\\Cut10000.BMP"},
        {"C:\\Cut2\\Shot.BMP", "C:\\Cut2\\Shot1.BMP"},
        {"C:\\Temp\\12345678901234567899.BMP", "C:\\Temp\\12345678901234567900.BMP"},
    };
    for (const auto& [name, next] : cases)
        EXPECT_EQ(NextCaptureName(name), next) << name;
}

class CutSetTest : public PlayerFixture
{
protected:
    CutSetTest()
    {
        player.context.app.CaptureFolder = "C:\\Cut";
        player.context.app.CaptureFileName = "C:\\Cut\\ABCD003.BMP";
    }
    QString Stored(const char* key) { return player.context.settings.GetUserSetting(key, "-"); }

    CutSetWindow cutSet{player.context, player.forms, player.services};
    FrmCutSet& window = player.forms.CutSet();
};

TEST_F(CutSetTest, OkTakesTheFieldsAndSavesTheFourKeys)
{
    CutOptions options;
    fake.clock.onWait = [&] {
        fake.clock.onWait = nullptr;
        EXPECT_EQ(window.Text9->text(), "ABCD003.BMP");
        EXPECT_EQ(window.Text7->text(), "C:\\Cut");
        window.Text7->setText("C:\\Shots");
        window.Text9->setText("Party07");
        window.Text1->setText("2");
        window.Check2->setChecked(true);
        // Typed, so the locked height follows the video's 352 × 240.
        window.Text2->selectAll();
        window.Text2->insert("176");
        window.VScroll3->setValue(-15);
        window.Text4->setText("5");
        window.Command2->click();
    };
    options = cutSet.Ask(QSize(352, 240));
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.Text5->text() + "x" + window.Text6->text(), "352x240");
    EXPECT_EQ(QString("%1 %2 %3 %4")
                  .arg(options.grid)
                  .arg(options.delay)
                  .arg(options.fontSize)
                  .arg(window.Text4->text()),
              "2 1.5 12 12");
    EXPECT_EQ(player.context.app.CaptureFileName, "C:\\Shots\\Party07.BMP");
    QStringList stored;
    for (const char* key : {"CutDir", "CutDelay", "CutWidtht", "CutHeight"})
        stored.append(Stored(key));
    EXPECT_EQ(stored, QStringList({"C:\\Shots", "1.5", "176", "120"}));
}

TEST_F(CutSetTest, FieldsOutOfRangeAreRefusedWithAMessageAndTheWindowStays)
{
    // Grid, cell width, cell height and delay.
    for (const char* fields :
         {"0 176 120 1.0", "50 176 120 1.0", "3 0 120 1.0", "3 100000 120 1.0", "3 176 100000 1.0",
          "10 500 120 1.0", "3 176 120 25", "x 176 120 1"}) {
        SCOPED_TRACE(fields);
        const QStringList field = QString(fields).split(' ');
        fake.prompter.shown.clear();
        window.show();
        for (int i = 0; i < 4; ++i)
            QList<QLineEdit*>{window.Text1, window.Text2, window.Text3, window.Text8}[i]->setText(
                field[i]);
        EXPECT_FALSE(cutSet.Command2_Click());
        EXPECT_EQ(fake.prompter.shown.size(), 1);
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(Stored("CutWidtht"), "-");
    }
    fake.clock.onWait = [&] { window.Command3->click(); };
    EXPECT_EQ(cutSet.Ask(QSize(352, 240)).grid, 0);
    EXPECT_EQ(player.context.app.CaptureFileName, "C:\\Cut\\ABCD003.BMP");
}

} // namespace
} // namespace tolvane
