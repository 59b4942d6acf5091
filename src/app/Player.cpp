#include "app/Player.h"

#include "app/FrmReadme.h"
#include "app/FrmSet.h"
#include "app/FrmTemp.h"
#include "app/Text.h"
#include "capture/FrmCutSet.h"
#include "discovery/FrmFindMusic.h"
#include "skins/FrmColor.h"
#include "skins/FrmProg.h"
#include "ui/FrmMenu.h"
#include "ui/FrmVCD.h"

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
}

Player::~Player() = default;

FrmVCD& Player::Vcd()
{
    return Ensure(vcd_);
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
    return Ensure(menu_);
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

const QStringList& Player::UnloadOrder()
{
    static const QStringList order = {"FrmColor",     "frmCut",     "frmCutSet", "frmDir",
                                      "frmFindMusic", "frmMenu",    "FrmPlay",   "frmProg",
                                      "FrmReadme",    "frmSeleDir", "frmSet",    "FrmSongLib",
                                      "frmSongSet",   "frmTemp",    "frmVCD"};
    return order;
}

bool Player::IsLoaded(const QString& window) const
{
    if (window == "FrmColor")
        return color_ != nullptr;
    if (window == "frmCutSet")
        return cutSet_ != nullptr;
    if (window == "frmFindMusic")
        return findMusic_ != nullptr;
    if (window == "frmMenu")
        return menu_ != nullptr;
    if (window == "frmProg")
        return prog_ != nullptr;
    if (window == "FrmReadme")
        return readme_ != nullptr;
    if (window == "frmSet")
        return set_ != nullptr;
    if (window == "frmTemp")
        return temp_ != nullptr;
    if (window == "frmVCD")
        return vcd_ != nullptr;
    return false;
}

void Player::Unload(const QString& window)
{
    if (window == "FrmColor")
        color_.reset();
    else if (window == "frmCutSet")
        cutSet_.reset();
    else if (window == "frmFindMusic")
        findMusic_.reset();
    else if (window == "frmMenu")
        menu_.reset();
    else if (window == "frmProg")
        prog_.reset();
    else if (window == "FrmReadme")
        readme_.reset();
    else if (window == "frmSet")
        set_.reset();
    else if (window == "frmTemp")
        temp_.reset();
    else if (window == "frmVCD")
        vcd_.reset();
}

void Player::EndProcess(int code)
{
    ended_ = true;
    platform.process.End(code);
}

} // namespace tolvane
