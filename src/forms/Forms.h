#pragma once

#include <QList>
#include <functional>
#include <memory>

namespace tolvane {

class Context;
class FrmColor;
class FrmCutSet;
class FrmDir;
class FrmFindMusic;
class FrmMenu;
class FrmPlay;
class FrmProg;
class FrmReadme;
class FrmSeleDir;
class FrmSet;
class FrmSongLib;
class FrmSongSet;
class FrmTemp;
class FrmVCD;
class VideoControl;

// Every window the player makes.
enum class Window {
    Color,
    CutSet,
    Dir,
    FindMusic,
    Menu,
    Play,
    Prog,
    Readme,
    SeleDir,
    Set,
    SongLib,
    SongSet,
    Temp,
    Vcd
};

// The windows of a run: each is made on first use and then only hidden and shown.
class Forms
{
public:
    explicit Forms(Context& context);
    ~Forms();
    Forms(const Forms&) = delete;
    Forms& operator=(const Forms&) = delete;

    FrmVCD& Vcd();
    FrmSet& Set();
    FrmTemp& Temp();
    FrmReadme& Readme();
    FrmMenu& Menu();
    FrmCutSet& CutSet();
    FrmColor& Color();
    FrmDir& Dir();
    FrmFindMusic& FindMusic();
    FrmProg& Prog();
    FrmPlay& Play();
    FrmSeleDir& SeleDir();
    FrmSongLib& SongLib();
    FrmSongSet& SongSet();

    // A window made and not unloaded since.
    bool IsLoaded(Window window) const;
    // Hides a loaded window and stops its timers; it then counts as not loaded. The
    // window stays until the player goes: procedures further up the stack (the exit
    // may start inside their waits) still hold it.
    void Unload(Window window);
    // Every window, in the order the exit unloads them.
    static const QList<Window>& UnloadOrder();

    // Run once on the window just made, for the wiring of its signals.
    std::function<void(FrmVCD&)> vcdMade;
    std::function<void(FrmMenu&)> menuMade;
    std::function<void(FrmSongSet&)> songSetMade;
    std::function<void(FrmColor&)> colorMade;

private:
    void Prepare(VideoControl& control);
    template <typename Act> void WithWindow(Window window, Act&& act) const;

    Context& context_;
    // Outlives the windows: their destruction still asks what is loaded.
    QList<Window> unloaded_;
    std::unique_ptr<FrmVCD> vcd_;
    std::unique_ptr<FrmSet> set_;
    std::unique_ptr<FrmTemp> temp_;
    std::unique_ptr<FrmReadme> readme_;
    std::unique_ptr<FrmMenu> menu_;
    std::unique_ptr<FrmCutSet> cutSet_;
    std::unique_ptr<FrmColor> color_;
    std::unique_ptr<FrmDir> dir_;
    std::unique_ptr<FrmFindMusic> findMusic_;
    std::unique_ptr<FrmProg> prog_;
    std::unique_ptr<FrmPlay> play_;
    std::unique_ptr<FrmSeleDir> seleDir_;
    std::unique_ptr<FrmSongLib> songLib_;
    std::unique_ptr<FrmSongSet> songSet_;
};

} // namespace tolvane
