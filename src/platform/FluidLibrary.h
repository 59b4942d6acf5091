#pragma once

#include <fluidsynth.h>

namespace tolvane {

// FluidSynth's entry points, taken from the library when the first MIDI song is
// opened: the program starts without it and the sound servers it links.
struct FluidLibrary
{
    decltype(&::new_fluid_settings) new_settings = nullptr;
    decltype(&::delete_fluid_settings) delete_settings = nullptr;
    decltype(&::fluid_settings_setnum) settings_setnum = nullptr;
    decltype(&::fluid_settings_setstr) settings_setstr = nullptr;
    decltype(&::fluid_settings_setint) settings_setint = nullptr;
    decltype(&::new_fluid_synth) new_synth = nullptr;
    decltype(&::delete_fluid_synth) delete_synth = nullptr;
    decltype(&::fluid_synth_sfload) synth_sfload = nullptr;
    decltype(&::fluid_synth_all_sounds_off) synth_all_sounds_off = nullptr;
    decltype(&::fluid_synth_write_s16) synth_write_s16 = nullptr;
    decltype(&::new_fluid_player) new_player = nullptr;
    decltype(&::delete_fluid_player) delete_player = nullptr;
    decltype(&::fluid_player_add_mem) player_add_mem = nullptr;
    decltype(&::fluid_player_play) player_play = nullptr;
    decltype(&::fluid_player_seek) player_seek = nullptr;
    decltype(&::fluid_set_log_function) set_log_function = nullptr;

    // The library, opened on the first call from any thread and kept for the run, its
    // warnings quieted; nullptr when it or one of its entry points is missing.
    static const FluidLibrary* Shared();
};

} // namespace tolvane
