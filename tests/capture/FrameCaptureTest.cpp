#include "capture/FrameCapture.h"
#include "app/Context.h"
#include "fakes/FullDisk.h"
#include "fakes/PlayerFixture.h"
#include "forms/FrmCutSet.h"
#include "forms/FrmMenu.h"

#include <QImage>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>

namespace tolvane {
namespace {

class FrameCaptureTest : public PlayerFixture
{
protected:
    FrameCaptureTest()
    {
        VideoCd(1);
        AppState& app = player.context.app;
        app.CaptureFolder = "C:\\Cut\\Shots";
        app.CaptureFileName = "C:\\Cut\\Shots\\Cut0000.BMP";
        app.CaptureWidth = 176;
        app.CaptureHeight = 120;
        player.context.playback.ActiveMci = 1;
        separate.frame = QImage(352, 240, QImage::Format_RGB32);
        separate.frame.fill(QColor(200, 30, 40));
        separate.videoSize = separate.frame.size();
    }

    // The bitmap at a DOS path, with its bits per pixel.
    QImage Bitmap(const QString& dosPath, int* bits = nullptr) const
    {
        const QByteArray bytes = fake.ReadBytes(dosPath);
        if (bits)
            *bits = bytes.size() > 30 ? qFromLittleEndian<quint16>(bytes.constData() + 28) : 0;
        return QImage::fromData(bytes, "BMP");
    }

    FrameCapture& capture = player.capture;
};

TEST_F(FrameCaptureTest, SingleCapturesGoToNumberedBitmapsAndKeepFilesUnlessTold)
{
    capture.mCutBmp1_Click();
    int bits = 0;
    QImage shot = Bitmap("C:\\Cut\\Shots\\Cut0000.BMP", &bits);
    EXPECT_EQ(bits, 24);
    ASSERT_EQ(shot.size(), QSize(176, 120));
    EXPECT_EQ(shot.pixelColor(88, 60), QColor(200, 30, 40));
    EXPECT_TRUE(fake.prompter.shown.isEmpty());

    // Cut0001 and Cut0002 exist: "no" goes past both, "yes" overwrites.
    separate.frame.fill(QColor(10, 220, 30));
    const QByteArray kept = fake.ReadBytes("C:\\Cut\\Shots\\Cut0000.BMP");
    for (const char* name : {"Cut0001.BMP", "Cut0002.BMP"})
        ASSERT_TRUE(fake.files.WriteAll(QString("C:\\Cut\\Shots\\") + name, kept));
    fake.prompter.answers = {kIdNo};
    capture.mCutBmp1_Click();
    ASSERT_EQ(fake.prompter.shown.size(), 1);
    EXPECT_EQ(fake.prompter.shown[0].prompt, "檔案已存在,是否要覆蓋?");
    EXPECT_EQ(fake.ReadBytes("C:\\Cut\\Shots\\Cut0001.BMP"), kept);
    EXPECT_EQ(Bitmap("C:\\Cut\\Shots\\Cut0003.BMP").pixelColor(5, 5), QColor(10, 220, 30));
    player.context.app.CaptureFileName = "C:\\Cut\\Shots\\Cut0001.BMP";
    fake.prompter.answers = {kIdYes};
    capture.mCutBmp1_Click();
    EXPECT_EQ(Bitmap("C:\\Cut\\Shots\\Cut0001.BMP").pixelColor(5, 5), QColor(10, 220, 30));
    EXPECT_EQ(player.context.app.CaptureFileName, "C:\\Cut\\Shots\\Cut0002.BMP");
}

TEST_F(FrameCaptureTest, NoFrameOrNoWayToSaveIsToldAndNothingIsHalfWritten)
{
    ASSERT_TRUE(fake.files.MakeFolder("C:\\Cut") && fake.files.WriteAll("C:\\Cut\\File", "x"));
    const std::pair<std::function<void()>, QString> cases[] = {
        {[this] {
             separate.frame = QImage();
             capture.mCutBmp1_Click();
         },
         "無法取得影像畫面,請先播放影片"},
        {[this] {
             player.context.app.CaptureFolder = "C:\\Cut\\File\\Shots";
             capture.mCutBmp1_Click();
         },
         "無法建立抓圖目錄 C:\\Cut\\File\\Shots"},
        {[this] {
             FullDisk full;
             capture.mCutBmp1_Click();
         },
         "無法儲存抓圖檔 C:\\Cut\\Shots\\Cut0000.BMP"},
    };
    for (const auto& [capturing, message] : cases) {
        const QImage frame = separate.frame;
        capturing();
        // The reason the system gives follows on a line of its own.
        EXPECT_EQ(fake.prompter.shown.value(0).prompt.section("\r\n", 0, 0), message);
        EXPECT_TRUE(fake.files.ListFiles("C:\\Cut\\Shots", "*.*").isEmpty());
        EXPECT_EQ(player.context.app.CaptureFileName, "C:\\Cut\\Shots\\Cut0000.BMP");
        separate.frame = frame;
        player.context.app.CaptureFolder = "C:\\Cut\\Shots";
        fake.prompter.shown.clear();
    }
}

// A 3 × 3 run over a video whose colour follows its position, played on by the waits.
class ContinuousCaptureTest : public FrameCaptureTest
{
protected:
    ContinuousCaptureTest()
    {
        separate.fileName = "E:\\MPEGAV\\AVSEQ01.DAT";
        separate.mode = "playing";
        separate.length = 19 * 30;
        player.context.playback.TimeUnits = 30;
        Paint();
        fake.clock.onWait = [this] { player.forms.CutSet().Command2->click(); };
        fake.clock.onDelay = [this](double seconds) {
            if (separate.calls.last().compare("Command:play", Qt::CaseInsensitive) != 0)
                return;
            separate.position = std::min(separate.length, separate.position + seconds * 30 * pace);
            Paint();
            if (onPlay)
                onPlay();
        };
    }
    void Paint() { separate.frame.fill(Colour(separate.position)); }
    static QColor Colour(double position) { return QColor(int(position) % 256, 90, 160); }

    double pace = 1;              // how fast the video moves on
    std::function<void()> onPlay; // what happens while it plays
};

TEST_F(ContinuousCaptureTest, EveryWayARunEndsKeepsItsSheetsAndCountsThem)
{
    // What happens once the video has played to a second.
    auto at = [this](int second, std::function<void()> act) {
        return [this, second, act] {
            onPlay = [this, second, act] {
                if (separate.position >= second * 30)
                    act();
            };
        };
    };
    const struct
    {
        std::function<void()> setUp;
        int frames;
        const char* message;
    } cases[] = {
        {[] {}, 19, "圖片抓取完畢!,共抓取3張圖"},
        {at(4, [this] { player.controller.ChkVCD(PanelAction::Stop); }), 4,
         "圖片抓取完畢!,共抓取1張圖"},
        {[this] { pace = 0; }, 1, "圖片抓取完畢!,共抓取1張圖"},
        {at(11, [this] { player.context.playback.TrackIndex = 1; }), 11,
         "圖片抓取完畢!,共抓取2張圖"},
        {at(5,
            [this] {
                player.devices.DeviceRemoveComplete(DeviceEvents::kDeviceTypeVolume,
                                                    DeviceEvents::DeviceId('E'), "E:", 0);
            }),
         5, "影像中斷,圖片抓取停止!,共抓取1張圖"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const QString folder = "C:\\Cut" + QString::number(c.frames);
        player.context.app.CaptureFolder = folder;
        fake.prompter.shown.clear();
        player.context.playback.TrackIndex = 0;
        separate.fileName = "E:\\MPEGAV\\AVSEQ01.DAT";
        separate.position = 0;
        Paint();
        c.setUp();

        player.capture.mCutBmp_Click();
        pace = 1;
        onPlay = nullptr;
        ASSERT_EQ(fake.prompter.shown.size(), 1);
        EXPECT_EQ(fake.prompter.shown[0].prompt, c.message);
        const int sheets = (c.frames + 8) / 9;
        EXPECT_EQ(fake.files.ListFiles(folder, "*.BMP").size(), sheets);
        for (int k = 1; k <= sheets * 9; ++k) {
            const QImage sheet = Bitmap(folder + QString("\\Cut000%1.BMP").arg((k - 1) / 9));
            ASSERT_EQ(sheet.size(), QSize(3 * 176, 3 * 120));
            // Cells fill row by row, each a frame one second after the one before;
            // the rest of the last sheet stays black.
            const QPoint cell((k - 1) % 3 * 176 + 88, (k - 1) / 3 % 3 * 120 + 20);
            const QColor want = k <= c.frames ? Colour((k - 1) * 30) : QColor(Qt::black);
            EXPECT_EQ(sheet.pixelColor(cell), want) << k;
        }
        EXPECT_EQ(separate.calls.last(), "Command:stop");
        player.context.app.CaptureFileName = "Cut0000.BMP";
    }
    // Each cell carries its time, in a colour that stands out.
    QImage plain(88, 30, QImage::Format_RGB32);
    plain.fill(Colour(0));
    EXPECT_NE(Bitmap("C:\\Cut19\\Cut0000.BMP").copy(0, 90, 88, 30).convertToFormat(plain.format()),
              plain);
}

} // namespace
} // namespace tolvane
