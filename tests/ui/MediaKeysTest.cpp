#include "ui/MediaKeys.h"
#include "forms/FrmSet.h"
#include "ui/ControlPanel.h"
#include "ui/UiFixture.h"

namespace tolvane {
namespace {

enum class Key { Play, Pause, PlayPause, Stop, Next, Previous };

// What plays before a key or a click: three songs of a play list, or an audio CD.
enum class Scene { SongPlaying, SongStopped, CdStartedByItself, CdRunning, CdPaused };

class MediaKeysTest : public UiFixture
{
protected:
    MediaKeysTest() : vcd(player.forms.Vcd()), mouse{vcd}
    {
        panel = new ControlPanel(player.PanelActions(), vcd);
        keys.Attach(*panel);
        vcd.show();
        // Faces to press, as a loaded skin gives them.
        for (SkinButton* button : vcd.PicCtl) {
            QImage face(button->size(), QImage::Format_RGB32);
            face.fill(Qt::gray);
            button->SetFace(face);
        }
        Songs("a", 3);
        player.forms.Set().Check5->setChecked(true);
    }

    void SetScene(Scene scene)
    {
        PlaybackState& p = player.context.playback;
        DeviceState& device = player.context.device;
        p = PlaybackState{};
        const bool song = scene == Scene::SongPlaying || scene == Scene::SongStopped;
        p.PlayMode = song ? MediaMode::Mp3 : MediaMode::CdAudio;
        p.CurFile = "E:\\a";
        p.AlbumFolder = "E:\\a";
        p.MediaKind = "MP3";
        p.TimeUnits = 10;
        p.Mp3Index = 1;
        p.TrackIndex = 1;
        p.CurTitle = "Track2";
        p.CdRunning = scene == Scene::CdRunning;
        p.CdMode = scene == Scene::CdPaused ? "paused" : "playing";
        device.TrackCount = 3;
        device.AlbumDirs = {"E:\\a"};
        main.calls.clear();
        main.fileName = "E:\\a\\a02.mp3";
        main.mode = scene == Scene::SongPlaying ? "playing" : "stopped";
        main.units = 1000;
        main.length = 20000;
        main.position = 5000;
        fake.mci.ClearSent();
        vcd.Label1->clear();
    }

    void Press(Key key)
    {
        switch (key) {
        case Key::Play:
            keys.Play();
            break;
        case Key::Pause:
            keys.Pause();
            break;
        case Key::PlayPause:
            keys.PlayPause();
            break;
        case Key::Stop:
            keys.Stop();
            break;
        case Key::Next:
            keys.Next();
            break;
        case Key::Previous:
            keys.Previous();
            break;
        }
    }

    // Everything the player was told and what it shows afterwards.
    QStringList Record() const
    {
        const PlaybackState& p = player.context.playback;
        return fake.mci.Sent() + main.calls +
               QStringList{vcd.Label1->text(), QString::number(p.Mp3Index),
                           QString::number(p.TrackIndex), p.CdRunning ? "running" : "halted",
                           p.MediaPath};
    }

    FrmVCD& vcd;
    Mouse mouse;
    ControlPanel* panel = nullptr;
    MediaKeys keys{player.context, player.forms, player.services};
};

// A key does what clicking the panel's buttons does: the same commands to the device
// and the video control, the same state after.
TEST_F(MediaKeysTest, EachKeyDoesWhatTheButtonsOfItsNameDo)
{
    constexpr int kPlay = 0, kStop = 1, kPrevious = 10, kNext = 11;
    const std::tuple<Scene, Key, QList<int>> cases[] = {
        {Scene::SongPlaying, Key::PlayPause, {kStop}}, // stop keeps the place
        {Scene::SongPlaying, Key::Pause, {kStop}},
        {Scene::SongPlaying, Key::Play, {}},
        {Scene::SongPlaying, Key::Stop, {kStop}},
        {Scene::SongPlaying, Key::Next, {kNext}},
        {Scene::SongPlaying, Key::Previous, {kPrevious}},
        {Scene::SongStopped, Key::PlayPause, {kPlay}},
        {Scene::SongStopped, Key::Pause, {}},
        // The play button of a disc that started by itself stands at "play".
        {Scene::CdStartedByItself, Key::Pause, {kPlay, kPlay}},
        {Scene::CdStartedByItself, Key::PlayPause, {kPlay, kPlay}},
        {Scene::CdRunning, Key::PlayPause, {kPlay}},
        {Scene::CdPaused, Key::PlayPause, {kPlay}},
        {Scene::CdPaused, Key::Play, {kPlay}},
        {Scene::CdRunning, Key::Next, {kNext}},
    };
    for (const auto& [scene, key, buttons] : cases) {
        SCOPED_TRACE(testing::Message() << "scene " << int(scene) << " key " << int(key));
        SetScene(scene);
        for (int button : buttons)
            mouse.Click(*vcd.PicCtl[button]);
        const QStringList clicked = Record();
        SetScene(scene);
        Press(key);
        const QStringList pressed = Record();
        EXPECT_EQ(pressed, clicked);
        // Something happened exactly when a button was to be clicked.
        SetScene(scene);
        EXPECT_EQ(pressed != Record(), !buttons.isEmpty());
        EXPECT_FALSE(player.context.playback.TimeBusy);
    }
}

TEST_F(MediaKeysTest, KeysWaitLikeClicksWhileTheWindowIsHeld)
{
    SetScene(Scene::SongPlaying);
    const QStringList before = Record();
    vcd.setEnabled(false);
    for (Key key : {Key::Play, Key::Pause, Key::PlayPause, Key::Stop, Key::Next, Key::Previous})
        Press(key);
    keys.SetVolume(0.2);
    keys.SetPosition(1000000);
    EXPECT_EQ(Record(), before);
    EXPECT_EQ(player.context.playback.Volume, 1000);
}

TEST_F(MediaKeysTest, NowPlayingReadsWhatPlays)
{
    player.context.device.DiscSerial = "1A2B-3C4D";
    SetScene(Scene::SongPlaying);
    player.context.playback.Volume = 700;
    NowPlaying song = keys.Now();
    EXPECT_EQ(std::tuple(song.status, song.title, song.album, song.item, song.lengthUs,
                         song.positionUs, song.volume, song.canSeek),
              std::tuple(NowPlaying::Status::Playing, QString("a02"), QString("a"),
                         QString("E:\\a\\a02.mp3"), qint64(20000000), qint64(5000000), 0.7, true));
    // A video in the picture area counts frames.
    player.context.playback.PlayMode = MediaMode::Vcd;
    main.fileName = "E:\\MPEGAV\\AVSEQ01.DAT";
    main.units = 30;
    main.length = 900;
    main.mode = "paused";
    song = keys.Now();
    EXPECT_EQ(std::tuple(song.status, song.title, song.album, song.lengthUs),
              std::tuple(NowPlaying::Status::Paused, QString("AVSEQ01"),
                         QString("影音光碟 1A2B-3C4D"), qint64(30000000)));

    SetScene(Scene::CdPaused);
    player.context.device.CdromDrive = "D:";
    player.context.playback.PlayLen = 125.5;
    player.context.playback.PlayPos = 2;
    const NowPlaying disc = keys.Now();
    EXPECT_EQ(
        std::tuple(disc.status, disc.title, disc.album, disc.item, disc.lengthUs, disc.positionUs),
        std::tuple(NowPlaying::Status::Paused, QString("Track2"), QString("音樂光碟 1A2B-3C4D"),
                   QString("D:\\Track2"), qint64(125500000), qint64(2000000)));

    player.context.playback.PlayMode = MediaMode::None;
    EXPECT_EQ(keys.Now().status, NowPlaying::Status::Stopped);
    EXPECT_TRUE(keys.Now().item.isEmpty());
}

TEST_F(MediaKeysTest, SeekAndVolumeGoThroughTheTimeCursorAndTheVolumeMenu)
{
    SetScene(Scene::SongPlaying);
    player.context.playback.IsPlaying = true;
    keys.SetPosition(12500000);
    EXPECT_DOUBLE_EQ(main.position, 12500);
    keys.Seek(-2500000);
    EXPECT_DOUBLE_EQ(main.position, 10000);
    keys.Seek(60000000); // held at the end
    EXPECT_DOUBLE_EQ(main.position, 20000);
    EXPECT_EQ(main.calls.mid(main.calls.size() - 2), (QStringList{"Command:Stop", "Command:play"}));

    const FrmMenu& menu = player.forms.Menu();
    for (auto [volume, level, entry] :
         {std::tuple{0.73, 700, 3}, {0.0, 0, 10}, {1.0, 1000, 0}, {0.25, 300, 7}}) {
        keys.SetVolume(volume);
        EXPECT_EQ(player.context.playback.Volume, level) << volume;
        EXPECT_EQ(Which(menu.mVolume, &QAction::isChecked), QList<int>{entry}) << volume;
    }
}

} // namespace
} // namespace tolvane
