#include "app/Context.h"
#include "capture/FrameCapture.h"
#include "fixtures/RealEngine.h"
#include "forms/FrmCutSet.h"
#include "forms/FrmPlay.h"
#include "forms/FrmSet.h"
#include "forms/FrmVCD.h"
#include "platform/MediaFixtures.h"

#include <QImage>
#include <QSet>
#include <gtest/gtest.h>

namespace tolvane {
namespace {

// Captures of the engine's own frames on the generated Video CD whose picture counts
// the seconds and turns its colours each second; the waits are real.
class RealCapture : public RealEngineTest
{
protected:
    RealCapture()
    {
        player.forms.Set().Check5->setChecked(true);
        player.forms.Set().Option2[2]->setChecked(true);
        player.context.app.CaptureFolder = "C:\\Cut";
        fake.clock.onDelay = [](double seconds) { RunEventsFor(int(seconds * 1000)); };
    }
    ~RealCapture() override { player.services.Media().StopAllMedia(); }
};

TEST_F(RealCapture, SingleFrameThenAThreeByThreeSheetOfTheDisc)
{
    Insert("clock.cue");
    player.detection.CheckCdrom(true);
    ASSERT_EQ(player.context.playback.PlayMode, MediaMode::Vcd);
    const QString code = player.context.device.DiscCode;
    ASSERT_EQ(code.size(), 4);
    VideoControl& video = *player.forms.Play().MCIWnd1;
    ASSERT_TRUE(RunEventsUntil([&] { return video.Position() > 10; }));

    player.capture.mCutBmp1_Click();
    EXPECT_TRUE(fake.files.FileExists("C:\\Cut\\" + code + "000.BMP"));

    video.Command("Stop");
    video.SetPosition(0);
    ASSERT_TRUE(RunEventsUntil([&] { return video.Position() < 3; }));
    player.context.app.CaptureWidth = 176;
    player.context.app.CaptureHeight = 120;
    fake.clock.onWait = [&] { player.forms.CutSet().Command2->click(); };
    player.capture.mCutBmp_Click();
    ASSERT_FALSE(fake.prompter.shown.isEmpty());
    EXPECT_EQ(fake.prompter.shown.last().prompt, "圖片抓取完畢!,共抓取1張圖");
    const QImage sheet = QImage::fromData(fake.ReadBytes("C:\\Cut\\" + code + "001.BMP"), "BMP");
    ASSERT_EQ(sheet.size(), QSize(3 * 176, 3 * 120));
    EXPECT_FALSE(fake.files.FileExists("C:\\Cut\\" + code + "002.BMP"));
    // Nine frames of the pattern, above their labels, none like another.
    QSet<QByteArray> cells;
    for (int i = 0; i < 9; ++i) {
        const QImage cell = sheet.copy(i % 3 * 176, i / 3 * 120, 176, 80);
        cells.insert(
            QByteArray(reinterpret_cast<const char*>(cell.constBits()), cell.sizeInBytes()));
    }
    EXPECT_EQ(cells.size(), 9);
    EXPECT_TRUE(fake.LogTexts().contains("抓圖 C:\\Cut\\" + code +
                                         "001.BMP 00:00:00 00:00:01 00:00:02 00:00:03 00:00:04 "
                                         "00:00:05 00:00:06 00:00:07 00:00:08"))
        << fake.LogTexts().join('\n').toStdString();
}

} // namespace
} // namespace tolvane
