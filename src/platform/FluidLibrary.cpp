#include "platform/FluidLibrary.h"

#include <QLibrary>

namespace tolvane {

namespace {

template <typename Function> bool Take(QLibrary& library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(library.resolve(name));
    return function != nullptr;
}

bool Open(FluidLibrary& fluid)
{
    // Loaded for the rest of the run: QLibrary leaves it mapped when it goes.
    QLibrary library("fluidsynth", 3);
    if (!library.load())
        return false;
    bool ok = Take(library, "new_fluid_settings", fluid.new_settings);
    ok &= Take(library, "delete_fluid_settings", fluid.delete_settings);
    ok &= Take(library, "fluid_settings_setnum", fluid.settings_setnum);
    ok &= Take(library, "fluid_settings_setstr", fluid.settings_setstr);
    ok &= Take(library, "fluid_settings_setint", fluid.settings_setint);
    ok &= Take(library, "new_fluid_synth", fluid.new_synth);
    ok &= Take(library, "delete_fluid_synth", fluid.delete_synth);
    ok &= Take(library, "fluid_synth_sfload", fluid.synth_sfload);
    ok &= Take(library, "fluid_synth_all_sounds_off", fluid.synth_all_sounds_off);
    ok &= Take(library, "fluid_synth_write_s16", fluid.synth_write_s16);
    ok &= Take(library, "new_fluid_player", fluid.new_player);
    ok &= Take(library, "delete_fluid_player", fluid.delete_player);
    ok &= Take(library, "fluid_player_add_mem", fluid.player_add_mem);
    ok &= Take(library, "fluid_player_play", fluid.player_play);
    ok &= Take(library, "fluid_player_seek", fluid.player_seek);
    ok &= Take(library, "fluid_set_log_function", fluid.set_log_function);
    if (ok) {
        // FluidSynth writes its warnings to the terminal; only its errors are worth a line.
        for (int level : {FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid.set_log_function(level, nullptr, nullptr);
    }
    return ok;
}

} // namespace

const FluidLibrary* FluidLibrary::Shared()
{
    // The entry points of a library loaded once per process, never changed after.
    static const FluidLibrary* const shared = [] {
        static FluidLibrary fluid;
        return Open(fluid) ? &fluid : nullptr;
    }();
    return shared;
}

} // namespace tolvane
