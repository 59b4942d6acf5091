#include "app/Player.h"

#include <QTimer>

#include "app/FrmReadme.h"
#include "app/FrmSeleDir.h"
#include "app/FrmSet.h"
#include "app/FrmTemp.h"
#include "app/Messages.h"
#include "app/Text.h"
#include "capture/FrmCutSet.h"
#include "discovery/FrmFindMusic.h"
#include "platform/ProfileFile.h"
#include "platform/SystemVolume.h"
#include "platform/VideoControl.h"
#include "playback/FrmPlay.h"
#include "playback/MainMediaView.h"
#include "playback/MediaProcedures.h"
#include "playback/PlaybackController.h"
#include "playback/TimeDisplay.h"
#include "playback/VolumeControl.h"
#include "skins/FrmColor.h"
#include "skins/FrmProg.h"
#include "ui/FrmMenu.h"
#include "ui/FrmVCD.h"
#include "ui/MenuActions.h"

namespace tolvane {

namespace {

template <typename T, typename... Args> T& Ensure(std::unique_ptr<T>& window, Args&&... args)
{
    if (!window)
        window = std::make_unique<T>(std::forward<Args>(args)...);
    return *window;
}

} // namespace

Player::Player(Platform& platform)
    : platform(platform), log(platform), settings(platform.registry), ini(platform.files)
{
    // Without an engine nothing plays at all; the user is told why, once.
    platform.engine.onFailure = [this](const QString& reason) {
        log.LogWrite("媒體引擎無法啟動:" + reason);
        ShowMessage(this->platform.prompter,
                    "無法啟動媒體播放引擎,所有影音檔與音樂光碟都無法播放。\r\n" + reason, "error");
    };
    // A save that failed is told once a file, until a save of it succeeds again; the
    // old file stays and what was to be saved is kept for the next save.
    FileNotices::Notice saveFailed = [this](const QString& path, const QString& reason) {
        log.LogWriteKept("無法儲存" + path + ":" + reason);
        ShowMessage(this->platform.prompter,
                    "無法儲存 " + path + "\r\n" + reason +
                        "\r\n原來的檔案沒有改變,下次儲存時會再試一次。",
                    "exc");
    };
    FileNotices::Notice setAside = [this](const QString& path, const QString& keptAs) {
        log.LogWriteKept("無法讀取" + path + ",原檔保留為" + keptAs);
        ShowMessage(this->platform.prompter,
                    "無法讀取設定檔 " + path + " 的內容。\r\n原來的檔案保留為 " + keptAs +
                        ",讀不到的設定改用預設值。",
                    "exc");
    };
    platform.registry.notices.Listen(saveFailed, setAside);
    ini.Notices().Listen(saveFailed, setAside);
    skin.CacheSaves.Listen(saveFailed, setAside);
}

Player::~Player()
{
    platform.engine.onFailure = nullptr;
    platform.registry.notices.Listen(nullptr, nullptr);
}

// A video control reads its device names from WIN.INI and its paths through the
// drive map.
void Player::Prepare(VideoControl& control)
{
    control.resolvePath = [this](const QString& dos) { return platform.drives.ToLocal(dos); };
    control.extensionEntry = [this](const QString& ext) {
        QString winIni = platform.files.Local(platform.windowsFolder + "\\WIN.INI");
        return ProfileFile().GetString(winIni, "mci extensions", ext, QString());
    };
}

FrmVCD& Player::Vcd()
{
    if (!vcd_) {
        vcd_ = std::make_unique<FrmVCD>();
        vcd_->MCIWnd1 = new VideoControl(platform.engine, vcd_.get());
        vcd_->MCIWnd1->setObjectName("MCIWnd1");
        vcd_->MCIWnd1->hide();
        Prepare(*vcd_->MCIWnd1);
        QObject::connect(vcd_->Timer1, &QTimer::timeout, vcd_.get(),
                         [this] { Time().Timer1_Timer(); });
    }
    return *vcd_;
}

FrmPlay& Player::Play()
{
    if (!play_) {
        play_ = std::make_unique<FrmPlay>(platform.engine);
        Prepare(*play_->MCIWnd1);
    }
    return *play_;
}

MediaProcedures& Player::Media()
{
    if (!media_) {
        mediaView_ = std::make_unique<MainMediaView>(*this);
        MciWindow& main = mainWindowControl_ ? *mainWindowControl_ : *Vcd().MCIWnd1;
        MciWindow& separate = separateWindowControl_ ? *separateWindowControl_ : *Play().MCIWnd1;
        mediaContext_ = std::unique_ptr<MediaContext>(
            new MediaContext{platform.mci, main, separate, *mediaView_, platform.clock,
                             platform.prompter, platform.files, playback, device, log});
        media_ = std::make_unique<MediaProcedures>(*mediaContext_);
        media_->Connect(main);
        media_->Connect(separate);
    }
    return *media_;
}

MediaContext& Player::MediaServices()
{
    Media();
    return *mediaContext_;
}

void Player::UseVideoControls(MciWindow& main, MciWindow& separate)
{
    mainWindowControl_ = &main;
    separateWindowControl_ = &separate;
}

TimeDisplay& Player::Time()
{
    if (!time_) {
        MediaProcedures& media = Media();
        time_ = std::make_unique<TimeDisplay>(*mediaContext_, media, Vcd());
        // The next item starts once the engine's event that ended this one is
        // handled, as a posted message would; one move per ending.
        time_->hooks.endOfItem = [this] {
            if (itemEndPending_)
                return;
            itemEndPending_ = true;
            QTimer::singleShot(0, &Vcd(), [this] {
                itemEndPending_ = false;
                PlaybackController(*this).CheckItemEnd();
            });
        };
    }
    return *time_;
}

VolumeControl& Player::Volume()
{
    if (!volume_) {
        if (!systemVolume_) {
            alsaVolume_ = std::make_unique<AlsaSystemVolume>();
            systemVolume_ = alsaVolume_.get();
        }
        Media();
        volume_ =
            std::make_unique<VolumeControl>(*mediaContext_, Vcd(), Set(), Menu(), *systemVolume_);
    }
    return *volume_;
}

FrmSet& Player::Set()
{
    return Ensure(set_);
}

FrmTemp& Player::Temp()
{
    return Ensure(temp_);
}

FrmReadme& Player::Readme()
{
    return Ensure(readme_, settings, platform.files,
                  PathJoin(platform.programFolder, "ReadMe.rtf"));
}

FrmMenu& Player::Menu()
{
    if (!menu_) {
        menu_ = std::make_unique<FrmMenu>();
        MenuActions::Connect(*this, *menu_);
    }
    return *menu_;
}

FrmCutSet& Player::CutSet()
{
    return Ensure(cutSet_);
}

FrmColor& Player::Color()
{
    return Ensure(color_);
}

FrmFindMusic& Player::FindMusic()
{
    return Ensure(findMusic_);
}

FrmProg& Player::Prog()
{
    return Ensure(prog_);
}

FrmSeleDir& Player::SeleDir()
{
    return Ensure(seleDir_, app.Chooser, platform.drives, platform.files);
}

const QStringList& Player::UnloadOrder()
{
    static const QStringList order = {"FrmColor",     "frmCut",     "frmCutSet", "frmDir",
                                      "frmFindMusic", "frmMenu",    "FrmPlay",   "frmProg",
                                      "FrmReadme",    "frmSeleDir", "frmSet",    "FrmSongLib",
                                      "frmSongSet",   "frmTemp",    "frmVCD"};
    return order;
}

// Runs `act` on the window slot of that name; false for a window the player does not
// make (it is never loaded).
template <typename Act> bool Player::WithWindow(const QString& window, Act&& act)
{
    auto slot = [&](const char* name, auto& window_) {
        if (window != QLatin1String(name))
            return false;
        act(window_);
        return true;
    };
    return slot("FrmColor", color_) || slot("frmCutSet", cutSet_) ||
           slot("frmFindMusic", findMusic_) || slot("frmMenu", menu_) || slot("FrmPlay", play_) ||
           slot("frmProg", prog_) || slot("FrmReadme", readme_) || slot("frmSeleDir", seleDir_) ||
           slot("frmSet", set_) || slot("frmTemp", temp_) || slot("frmVCD", vcd_);
}

bool Player::IsLoaded(const QString& window)
{
    bool loaded = false;
    WithWindow(window, [&](const auto& slot) { loaded = slot != nullptr; });
    return loaded && !unloaded_.contains(window);
}

void Player::Unload(const QString& window)
{
    if (!IsLoaded(window))
        return;
    unloaded_.insert(window);
    WithWindow(window, [](auto& slot) {
        for (QTimer* timer : slot->template findChildren<QTimer*>())
            timer->stop();
        slot->hide();
    });
}

void Player::EndProcess(int code)
{
    ended_ = true;
    log.Flush();
    platform.process.End(code);
}

} // namespace tolvane
