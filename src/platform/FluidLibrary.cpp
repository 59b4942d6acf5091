#include "platform/FluidLibrary.h"

#include "platform/LibraryEntries.h"

namespace tolvane {

namespace {

bool Open(FluidLibrary& fluid)
{
    LibraryEntries library("fluidsynth", 3);
    library.Take("new_fluid_settings", fluid.new_settings);
    library.Take("delete_fluid_settings", fluid.delete_settings);
    library.Take("fluid_settings_setnum", fluid.settings_setnum);
    library.Take("fluid_settings_setstr", fluid.settings_setstr);
    library.Take("fluid_settings_setint", fluid.settings_setint);
    library.Take("new_fluid_synth", fluid.new_synth);
    library.Take("delete_fluid_synth", fluid.delete_synth);
    library.Take("fluid_synth_sfload", fluid.synth_sfload);
    library.Take("fluid_synth_all_sounds_off", fluid.synth_all_sounds_off);
    library.Take("fluid_synth_write_s16", fluid.synth_write_s16);
    library.Take("new_fluid_player", fluid.new_player);
    library.Take("delete_fluid_player", fluid.delete_player);
    library.Take("fluid_player_add_mem", fluid.player_add_mem);
    library.Take("fluid_player_play", fluid.player_play);
    library.Take("fluid_player_seek", fluid.player_seek);
    library.Take("fluid_set_log_function", fluid.set_log_function);
    if (!library.Complete())
        return false;
    // FluidSynth writes its warnings to the terminal; only its errors are worth a line.
    for (int level : {FLUID_WARN, FLUID_INFO, FLUID_DBG})
        fluid.set_log_function(level, nullptr, nullptr);
    return true;
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
