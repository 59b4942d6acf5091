#pragma once

#include "platform/MidiFile.h"
#include "platform/StreamProtocol.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

using fluid_settings_t = struct _fluid_hashtable_t;
using fluid_synth_t = struct _fluid_synth_t;
using fluid_player_t = struct _fluid_player_t;

namespace tolvane {

class Mpv;
struct FluidLibrary;

bool IsMidiFile(const QString& path); // by its extension: .mid, .midi, .rmi
// The General MIDI SoundFont to render with: TOLVANE99_SOUNDFONT when set, else the
// fuller Debian SoundFont when installed, else the small one; empty without any.
QString FindSoundFont();

// A MIDI file rendered by FluidSynth as one WAV file (16-bit stereo at 44100 Hz) of
// the song's length, so position, length, seek, pause and speed are the engine's
// own. Renders as fast as it is read, on the reader's thread.
class MidiRendering : public EngineStream
{
public:
    // Nothing when the file is no MIDI song or there is no SoundFont.
    static std::unique_ptr<MidiRendering> Open(const QString& path);
    ~MidiRendering() override;

    qint64 Size() const override { return header_.size() + frames_ * 4; }
    bool Seek(qint64 pos) override;
    qint64 Read(char* buffer, qint64 count) override;

private:
    explicit MidiRendering(const FluidLibrary& fluid) : fluid_(&fluid) {}
    // Starts the song again at a frame: the player jumps to its tick.
    bool Restart(qint64 frame);
    void RenderBlock(qint64 frame);

    QByteArray song_;
    MidiTiming timing_;
    qint64 frames_ = 0;
    QByteArray header_;
    qint64 pos_ = 0;
    const FluidLibrary* fluid_;
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    fluid_player_t* player_ = nullptr;
    qint64 next_ = 0; // the frame the synthesizer renders next
    qint64 blockFirst_ = -1;
    int blockFrames_ = 0;
    std::vector<qint16> block_;
};

// Addresses of the protocol "tolvanemidi" that RegisterMidiStream adds: the rendering
// of a MIDI file.
QString MidiFileAddress(const QString& localPath);
bool RegisterMidiStream(Mpv& mpv);

} // namespace tolvane
