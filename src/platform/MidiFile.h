#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <optional>

namespace tolvane {

// When the events of a Standard MIDI File fall: the tempo map and the last event.
struct MidiTiming
{
    int ticksPerQuarter = 480;        // for metrical time
    double ticksPerSecond = 0;        // for SMPTE time; 0 otherwise
    QList<QPair<qint64, int>> tempos; // tick and microseconds per quarter, in order
    qint64 lastTick = 0;

    double SecondsAt(qint64 tick) const;
    qint64 TickAt(double seconds) const;
};

// The song of a MIDI file: the file itself, or the "data" chunk of a RIFF RMID file.
// Nothing when the bytes are neither.
std::optional<QByteArray> MidiSong(const QByteArray& file);
// Reads the timing of a Standard MIDI File; nothing when it is not one or holds no
// events. Damaged tracks end where they stop making sense.
std::optional<MidiTiming> ReadMidiTiming(const QByteArray& song);

} // namespace tolvane
