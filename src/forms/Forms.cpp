#include "forms/Forms.h"

#include <QTimer>

#include "app/Context.h"
#include "app/Text.h"
#include "forms/FrmColor.h"
#include "forms/FrmCutSet.h"
#include "forms/FrmDir.h"
#include "forms/FrmFindMusic.h"
#include "forms/FrmMenu.h"
#include "forms/FrmPlay.h"
#include "forms/FrmProg.h"
#include "forms/FrmReadme.h"
#include "forms/FrmSeleDir.h"
#include "forms/FrmSet.h"
#include "forms/FrmSongLib.h"
#include "forms/FrmSongSet.h"
#include "forms/FrmTemp.h"
#include "forms/FrmVCD.h"
#include "platform/ProfileFile.h"
#include "platform/VideoControl.h"

namespace tolvane {

namespace {

template <typename T, typename... Args> T& Ensure(std::unique_ptr<T>& window, Args&&... args)
{
    if (!window)
        window = std::make_unique<T>(std::forward<Args>(args)...);
    return *window;
}

} // namespace

Forms::Forms(Context& context) : context_(context) {}

Forms::~Forms() = default;

// A video control reads its device names from WIN.INI and its paths through the
// drive map.
void Forms::Prepare(VideoControl& control)
{
    Platform& platform = context_.platform;
    control.resolvePath = [&platform](const QString& dos) { return platform.drives.ToLocal(dos); };
    control.extensionEntry = [&platform](const QString& ext) {
        QString winIni = platform.files.Local(platform.windowsFolder + "\\WIN.INI");
        return ProfileFile().GetString(winIni, "mci extensions", ext, QString());
    };
}

FrmVCD& Forms::Vcd()
{
    if (!vcd_) {
        vcd_ = std::make_unique<FrmVCD>();
        vcd_->MCIWnd1 = new VideoControl(context_.platform.engine, vcd_.get());
        vcd_->MCIWnd1->setObjectName("MCIWnd1");
        vcd_->MCIWnd1->hide();
        Prepare(*vcd_->MCIWnd1);
        if (vcdMade)
            vcdMade(*vcd_);
    }
    return *vcd_;
}

FrmPlay& Forms::Play()
{
    if (!play_) {
        play_ = std::make_unique<FrmPlay>(context_.platform.engine);
        Prepare(*play_->MCIWnd1);
    }
    return *play_;
}

FrmMenu& Forms::Menu()
{
    if (!menu_) {
        menu_ = std::make_unique<FrmMenu>();
        if (menuMade)
            menuMade(*menu_);
    }
    return *menu_;
}

FrmSet& Forms::Set()
{
    return Ensure(set_);
}

FrmTemp& Forms::Temp()
{
    return Ensure(temp_);
}

FrmReadme& Forms::Readme()
{
    return Ensure(readme_, context_.settings, context_.platform.files,
                  PathJoin(context_.platform.programFolder, "ReadMe.rtf"));
}

FrmCutSet& Forms::CutSet()
{
    return Ensure(cutSet_);
}

FrmColor& Forms::Color()
{
    if (!color_) {
        color_ = std::make_unique<FrmColor>();
        if (colorMade)
            colorMade(*color_);
    }
    return *color_;
}

FrmDir& Forms::Dir()
{
    return Ensure(dir_);
}

FrmFindMusic& Forms::FindMusic()
{
    return Ensure(findMusic_);
}

FrmProg& Forms::Prog()
{
    return Ensure(prog_);
}

FrmSeleDir& Forms::SeleDir()
{
    return Ensure(seleDir_, context_.app.Chooser, context_.platform.drives,
                  context_.platform.files);
}

FrmSongLib& Forms::SongLib()
{
    return Ensure(songLib_);
}

FrmSongSet& Forms::SongSet()
{
    if (!songSet_) {
        songSet_ = std::make_unique<FrmSongSet>(context_.platform.files);
        if (songSetMade)
            songSetMade(*songSet_);
    }
    return *songSet_;
}

const QList<Window>& Forms::UnloadOrder()
{
    static const QList<Window> order = {
        Window::Color,   Window::CutSet,  Window::Dir,    Window::FindMusic, Window::Menu,
        Window::Play,    Window::Prog,    Window::Readme, Window::SeleDir,   Window::Set,
        Window::SongLib, Window::SongSet, Window::Temp,   Window::Vcd};
    return order;
}

// Runs `act` on the slot of that window.
template <typename Act> void Forms::WithWindow(Window window, Act&& act) const
{
    switch (window) {
    case Window::Color:
        return act(color_);
    case Window::CutSet:
        return act(cutSet_);
    case Window::Dir:
        return act(dir_);
    case Window::FindMusic:
        return act(findMusic_);
    case Window::Menu:
        return act(menu_);
    case Window::Play:
        return act(play_);
    case Window::Prog:
        return act(prog_);
    case Window::Readme:
        return act(readme_);
    case Window::SeleDir:
        return act(seleDir_);
    case Window::Set:
        return act(set_);
    case Window::SongLib:
        return act(songLib_);
    case Window::SongSet:
        return act(songSet_);
    case Window::Temp:
        return act(temp_);
    case Window::Vcd:
        return act(vcd_);
    }
}

bool Forms::IsLoaded(Window window) const
{
    bool made = false;
    WithWindow(window, [&](const auto& slot) { made = slot != nullptr; });
    return made && !unloaded_.contains(window);
}

void Forms::Unload(Window window)
{
    if (!IsLoaded(window))
        return;
    unloaded_.append(window);
    WithWindow(window, [](const auto& slot) {
        for (QTimer* timer : slot->template findChildren<QTimer*>())
            timer->stop();
        slot->hide();
    });
}

} // namespace tolvane
