#include "BenchPlatform.h"
#include "app/DeviceState.h"
#include "app/Log.h"
#include "app/PlaybackState.h"
#include "fakes/SilentView.h"
#include "forms/FrmVCD.h"
#include "lyrics/LyricsLines.h"
#include "platform/CdAudioMci.h"
#include "platform/Clock.h"
#include "platform/DosFiles.h"
#include "platform/DriveMap.h"
#include "platform/Prompter.h"
#include "platform/VideoControl.h"
#include "playback/MediaProcedures.h"
#include "playback/TimeDisplay.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>

using namespace tolvane;

namespace {

// While a song plays, the poll, the labels and the lyrics may take this share of one core.
constexpr double kBudgetPercent = 2.0;
constexpr int kPlaySeconds = 5;

double ThreadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

bool Ffmpeg(const QStringList& args)
{
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", QStringList{"-hide_banner", "-loglevel", "error", "-y"} + args);
    return ffmpeg.waitForFinished(120000) && ffmpeg.exitCode() == 0;
}

// A minute-long MP3 song and a one-track audio CD image of 30 seconds, made once, so
// that nothing ends while it is measured.
class Media
{
public:
    Media()
    {
        const QString disc = dir_.path() + "/disc";
        ok_ = Ffmpeg({"-f", "lavfi", "-i", "sine=frequency=440:duration=60", "-c:a", "libmp3lame",
                      "-b:a", "128k", Song()}) &&
              Ffmpeg({"-f", "lavfi", "-i", "sine=frequency=660:duration=30:sample_rate=44100",
                      "-ac", "2", "-f", "s16le", "-acodec", "pcm_s16le", disc + ".bin"});
        QFile cue(DiscImage());
        ok_ = ok_ && cue.open(QIODevice::WriteOnly) &&
              cue.write("FILE \"disc.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n") > 0;
    }

    bool Ok() const { return ok_; }
    QString Song() const { return dir_.path() + "/song.mp3"; }
    QString DiscImage() const { return dir_.path() + "/disc.cue"; }

private:
    QTemporaryDir dir_;
    bool ok_ = false;
};

const Media& SharedMedia()
{
    static Media media;
    return media;
}

// The UI thread's CPU time inside the poll; a poll started inside another is part
// of the outer one.
class PollMeter
{
public:
    template <typename Poll> void Measure(Poll&& poll)
    {
        if (depth_++ > 0) {
            poll();
            --depth_;
            return;
        }
        const double start = ThreadCpuSeconds();
        poll();
        seconds += ThreadCpuSeconds() - start;
        ++polls;
        --depth_;
    }

    double seconds = 0;
    int polls = 0;

private:
    int depth_ = 0;
};

// The main window's neighbours as the poll meets them: ShowTime runs the display
// under the meter and Timer1 is a real 500 ms timer. What the poll does not reach
// does nothing, as in the main window until those subsystems arrive.
class BenchView : public SilentView
{
public:
    BenchView() { timer1_.setInterval(500); }

    void Attach(TimeDisplay& display, PollMeter& meter)
    {
        display_ = &display;
        meter_ = &meter;
        QObject::connect(&timer1_, &QTimer::timeout,
                         [this] { meter_->Measure([this] { display_->Timer1_Timer(); }); });
    }

    void SetPollTimer(bool enabled) override { enabled ? timer1_.start() : timer1_.stop(); }
    void ShowTime() override
    {
        if (display_)
            meter_->Measure([this] { display_->ShowTime(); });
    }
    void ShowPoint() override
    {
        if (display_)
            display_->ShowPoint();
    }

private:
    QTimer timer1_;
    TimeDisplay* display_ = nullptr;
    PollMeter* meter_ = nullptr;
};

MediaEngine& Headless()
{
    static MediaEngine engine({qMakePair(QByteArray("vo"), QByteArray("null")),
                               qMakePair(QByteArray("ao"), QByteArray("null"))});
    return engine;
}

// The real engines, the main window's labels and the time display, wired as the
// player wires them: position changes of the video control run the poll.
struct PollRig
{
    explicit PollRig(const QString& discImage)
        : mci(std::make_unique<CdDrive>(discImage, true), Headless()),
          mainWnd(new VideoControl(Headless(), &vcd)), playWnd(Headless())
    {
        vcd.MCIWnd1 = mainWnd;
        mainWnd->hide();
        playWnd.hide();
        device.CdromDrive = "D:";
        device.TrackCount = 1;
        procedures.Connect(*mainWnd);
        procedures.Connect(playWnd);
        view.Attach(display, meter);
        // Shown, so that every label change is painted as on the screen.
        vcd.show();
    }

    // Lets the player run for a while; returns the UI thread's CPU seconds.
    double Run(int milliseconds)
    {
        QEventLoop loop;
        QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
        const double start = ThreadCpuSeconds();
        loop.exec();
        return ThreadCpuSeconds() - start;
    }

    CdAudioMci mci;
    QTemporaryDir home;
    BenchPlatform base{home.path(), QString(), mci, Headless()};
    Log log{base.platform};
    FrmVCD vcd;
    VideoControl* mainWnd; // owned by vcd
    VideoControl playWnd;
    BenchView view;
    SystemClock clock;
    DialogPrompter prompter;
    DriveMap drives{QList<Drive>{}};
    DosFiles files{drives};
    PlaybackState playback;
    DeviceState device;
    MediaContext context{mci,      *mainWnd, playWnd,  view,   clock,
                         prompter, files,    playback, device, log};
    MediaProcedures procedures{context};
    TimeDisplay display{context, procedures, vcd};
    PollMeter meter;
};

void Report(benchmark::State& state, const PollRig& rig, double uiSeconds, double wallSeconds)
{
    const double percent = rig.meter.seconds / wallSeconds * 100;
    state.counters["percent_of_core"] = percent;
    state.counters["budget_percent"] = kBudgetPercent;
    state.counters["polls_per_s"] = rig.meter.polls / wallSeconds;
    state.counters["us_per_poll"] =
        rig.meter.polls ? rig.meter.seconds / rig.meter.polls * 1e6 : 0.0;
    // The whole UI thread: the poll plus the label paints and the engine's events.
    state.counters["ui_thread_percent"] = uiSeconds / wallSeconds * 100;
    state.SetLabel(percent < kBudgetPercent ? "within the 2% budget" : "OVER the 2% budget");
}

// An MP3 song on the video control: a poll on each position change, about ten a second;
// with a 5,000-line lyrics file followed on each poll when asked to.
void BM_SongPoll(benchmark::State& state)
{
    EnsureApplication();
    const Media& media = SharedMedia();
    if (!media.Ok()) {
        state.SkipWithError("ffmpeg could not make the song");
        return;
    }
    PollRig rig(media.DiscImage());
    PlaybackState& p = rig.playback;
    p.PlayMode = MediaMode::Mp3;
    p.MediaKind = "MP3";
    p.TimeUnits = 10;
    p.CurFile = media.Song();
    p.MediaPath = media.Song();
    LyricsLines lyrics;
    if (state.range(0) > 0) {
        QStringList lines{"heading"};
        for (int i = 0; i < state.range(0); ++i)
            lines.append(MinutesSecondsHundredths(i * 12) + " line");
        lyrics.Fill(*rig.vcd.SongList, lines);
        rig.vcd.SongList->show();
        rig.display.hooks.followLyrics = [&](const QString& posText, double) {
            lyrics.Follow(*rig.vcd.SongList, posText);
        };
    }
    rig.mainWnd->SetFileName(media.Song());
    rig.mainWnd->Command("Play");
    double ui = 0;
    for (auto _ : state)
        ui = rig.Run(kPlaySeconds * 1000);
    if (rig.mainWnd->Mode() != "playing" || rig.vcd.Label2[0]->text() == "00:00:00") {
        state.SkipWithError("the song did not play");
        return;
    }
    Report(state, rig, ui, kPlaySeconds);
}
BENCHMARK(BM_SongPoll)
    ->ArgName("lyrics_lines")
    ->Arg(0)
    ->Arg(5000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

// An audio CD: Timer1 polls the CDAudio device twice a second.
void BM_DiscPoll(benchmark::State& state)
{
    EnsureApplication();
    const Media& media = SharedMedia();
    if (!media.Ok()) {
        state.SkipWithError("ffmpeg could not make the disc image");
        return;
    }
    PollRig rig(media.DiscImage());
    rig.playback.PlayMode = MediaMode::CdAudio;
    rig.procedures.PlayACD(1);
    double ui = 0;
    for (auto _ : state)
        ui = rig.Run(kPlaySeconds * 1000);
    if (rig.vcd.Label2[2]->text() != "<1>" || rig.playback.PlayPos <= 0) {
        state.SkipWithError("the disc did not play");
        return;
    }
    Report(state, rig, ui, kPlaySeconds);
}
BENCHMARK(BM_DiscPoll)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

} // namespace
