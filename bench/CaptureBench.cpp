#include "BenchPlatform.h"
#include "app/Context.h"
#include "capture/FrameCapture.h"
#include "fakes/FakeSystemVolume.h"
#include "forms/FrmCutSet.h"
#include "forms/FrmPlay.h"
#include "forms/FrmVCD.h"
#include "platform/VideoControl.h"
#include "playback/PlaybackController.h"
#include "shell/Player.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

using namespace tolvane;

namespace {

constexpr double kSingleBudgetMs = 100;
constexpr double kDelay = 0.5;
constexpr double kFrameOverheadMs = 100;

bool Run(const QString& program, const QStringList& args, const QString& folder)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, args);
    return process.waitForFinished(120000) && process.exitCode() == 0;
}

// A Video CD image of one twelve-second 352 × 240 track whose picture changes each
// frame, made once.
class ClockDisc
{
public:
    ClockDisc()
    {
        const QString folder = dir_.path();
        ok_ = Run("ffmpeg",
                  {"-hide_banner", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
                   "testsrc=size=352x240:rate=30000/1001:duration=12,hue=h=floor(t)*40", "-f",
                   "lavfi", "-i", "sine=frequency=440:duration=12", "-target", "ntsc-vcd",
                   "-shortest", "clock.mpg"},
                  folder) &&
              Run("vcdimager",
                  {"-q", "-t", "vcd2", "-c", "clock.cue", "-b", "clock.bin", "clock.mpg"}, folder);
    }
    bool Ok() const { return ok_; }
    QString Cue() const { return dir_.path() + "/clock.cue"; }

private:
    QTemporaryDir dir_;
    bool ok_ = false;
};

const ClockDisc& SharedDisc()
{
    static ClockDisc disc;
    return disc;
}

MediaEngine& Headless()
{
    static MediaEngine engine({qMakePair(QByteArray("vo"), QByteArray("null")),
                               qMakePair(QByteArray("ao"), QByteArray("null"))});
    return engine;
}

// The whole player on the real engine, playing the disc's track in the separate video
// window, capturing to C:\Cut.
struct CaptureRig
{
    explicit CaptureRig(const QString& cue)
    {
        base.drives.SetTrays(&base.trays);
        base.drives.Add({'E', cue, kDriveCdrom});
        player.services.UseSystemVolume(outputs);
        AppState& app = player.context.app;
        app.CaptureFolder = "C:\\Cut";
        app.CaptureFileName = "C:\\Cut\\Cut0000.BMP";
        app.CaptureWidth = 352;
        app.CaptureHeight = 240;
        player.context.playback.PlayMode = MediaMode::Vcd;
        player.forms.Vcd().Image1->hide();
        player.controller.PlayVCD("E:\\MPEGAV\\AVSEQ01.DAT");
    }

    VideoControl& Video() { return *player.forms.Play().MCIWnd1; }
    bool Playing() { return Video().Mode() == "playing" && Video().Position() > 0; }
    void RunFor(int milliseconds)
    {
        QEventLoop loop;
        QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
        loop.exec();
    }

    QTemporaryDir home;
    NoDisc mci;
    BenchPlatform base{home.path(), QString(), mci, Headless()};
    FakeSystemVolume outputs;
    Player player{base.platform};
};

// One frame of a playing 352 × 240 Video CD track into a bitmap.
void BM_SingleCapture(benchmark::State& state)
{
    EnsureApplication();
    if (!SharedDisc().Ok()) {
        state.SkipWithError("ffmpeg or vcdimager could not make the Video CD image");
        return;
    }
    CaptureRig rig(SharedDisc().Cue());
    rig.RunFor(500);
    if (!rig.Playing()) {
        state.SkipWithError("the track did not play");
        return;
    }
    double worstMs = 0;
    int shots = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        rig.player.capture.mCutBmp1_Click();
        worstMs = std::max(worstMs, double(timer.nsecsElapsed()) / 1e6);
        ++shots;
    }
    if (!rig.base.files.FileExists("C:\\Cut\\Cut0000.BMP")) {
        state.SkipWithError("no bitmap was written");
        return;
    }
    state.counters["worst_ms"] = worstMs;
    state.counters["budget_ms"] = kSingleBudgetMs;
    state.SetLabel(worstMs < kSingleBudgetMs ? "within 100 ms" : "OVER 100 ms");
}
BENCHMARK(BM_SingleCapture)->Unit(benchmark::kMillisecond)->Iterations(20)->UseRealTime();

// A 3 × 3 sheet with a delay of half a second: nine grabs in at most nine times the
// delay and 100 ms. The user stops the run once the sheet is saved.
void BM_ContinuousCapture(benchmark::State& state)
{
    EnsureApplication();
    if (!SharedDisc().Ok()) {
        state.SkipWithError("ffmpeg or vcdimager could not make the Video CD image");
        return;
    }
    double seconds = 0;
    bool saved = false;
    for (auto _ : state) {
        state.PauseTiming();
        CaptureRig rig(SharedDisc().Cue());
        rig.Video().SetPosition(0);
        FrmCutSet& settings = rig.player.forms.CutSet();
        QTimer::singleShot(0, &settings, [&settings] {
            settings.Text1->setText("3");
            settings.Text2->setText("176");
            settings.Text3->setText("120");
            settings.Text8->setText(QString::number(kDelay, 'f', 1));
            settings.Command2->click();
        });
        QTimer stopper;
        stopper.setInterval(5);
        QObject::connect(&stopper, &QTimer::timeout, [&rig] {
            if (rig.player.context.app.CaptureFileName != "C:\\Cut\\Cut0000.BMP")
                rig.player.controller.ChkVCD(PanelAction::Stop);
        });
        stopper.start();
        state.ResumeTiming();
        QElapsedTimer timer;
        timer.start();
        rig.player.capture.mCutBmp_Click();
        seconds = double(timer.nsecsElapsed()) / 1e9;
        saved = rig.base.files.FileExists("C:\\Cut\\Cut0000.BMP");
    }
    if (!saved) {
        state.SkipWithError("no sheet was written");
        return;
    }
    const double budget = 9 * (kDelay + kFrameOverheadMs / 1000);
    state.counters["run_s"] = seconds;
    state.counters["budget_s"] = budget;
    state.SetLabel(seconds <= budget ? "within 9 x (delay + 100 ms)" : "OVER 9 x (delay + 100 ms)");
}
BENCHMARK(BM_ContinuousCapture)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

} // namespace
