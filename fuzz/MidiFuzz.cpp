// A MIDI or RMID file as the player reads it before FluidSynth renders it.
#include "platform/MidiFile.h"

using namespace tolvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray file(reinterpret_cast<const char*>(data), qsizetype(size));
    std::optional<QByteArray> song = MidiSong(file);
    if (!song)
        return 0;
    if (std::optional<MidiTiming> timing = ReadMidiTiming(*song)) {
        const double seconds = timing->SecondsAt(timing->lastTick);
        timing->TickAt(seconds / 2);
    }
    return 0;
}
