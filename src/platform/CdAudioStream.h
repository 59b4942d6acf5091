#pragma once

#include "platform/CdDisc.h"

#include <QByteArray>
#include <QMutex>
#include <optional>
#include <utility>

namespace tolvane {

class Mpv;

constexpr int kCdSectorBytes = 2352; // one frame of 16-bit stereo at 44100 Hz
constexpr int kWavHeaderBytes = 44;

// Where each audio track sits in the one WAV stream: the audio tracks one after the
// other, data tracks left out, so a stream position maps to a track and a frame.
struct CdAudioLayout
{
    QList<CdTrack> tracks;

    int TotalFrames() const;
    qint64 DataBytes() const { return qint64(TotalFrames()) * kCdSectorBytes; }
    // The track and the frame inside it of a stream frame; the end of the stream is
    // the end of the last track.
    std::pair<int, int> Locate(int streamFrame) const;
    // The stream frame of a frame inside a track; nothing for a track not in the stream.
    std::optional<int> StreamFrame(int track, int frame) const;
};

// The 44-byte RIFF header of 16-bit stereo PCM at 44100 Hz.
QByteArray WavHeader(qint64 dataBytes);

// What the stream reads from; set by the user interface thread, read by mpv's.
class CdAudioSource
{
public:
    void Set(const QString& source, bool image, const CdAudioLayout& layout);
    void Get(QString& source, bool& image, CdAudioLayout& layout) const;

private:
    mutable QMutex mutex_;
    QString source_;
    bool image_ = false;
    CdAudioLayout layout_;
};

// Registers the protocol "tolvanecd" on an instance: "tolvanecd://disc" is the disc's
// audio as one WAV file. Every opened stream has its own libcdio handle, because
// mpv reads on its own thread. The source must live as long as the instance.
bool RegisterCdAudioStream(Mpv& mpv, CdAudioSource& source);

} // namespace tolvane
