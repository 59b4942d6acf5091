#include "platform/MidiStream.h"

#include "platform/CdAudioStream.h"
#include "platform/Mpv.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <fluidsynth.h>
#include <mpv/stream_cb.h>
#include <mutex>
#include <vector>

namespace tolvane {

namespace {

constexpr char kScheme[] = "tolvanemidi";
constexpr int kRate = 44100;
constexpr int kFrameBytes = 4; // 16-bit stereo
constexpr int kDefaultTempo = 500000;
constexpr int kBlockFrames = 4096;

quint32 Be(const QByteArray& bytes, qsizetype at, int width)
{
    quint32 value = 0;
    for (int i = 0; i < width; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

quint32 Le32(const QByteArray& bytes, qsizetype at)
{
    quint32 value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// Reads the events of one track chunk; the tick of its last event and its tempo
// changes. A track stops at its end event or where its bytes stop making sense.
class TrackReader
{
public:
    TrackReader(const QByteArray& song, qsizetype begin, qsizetype end)
        : song_(song), at_(begin), end_(end)
    {
    }

    void Read(QList<QPair<qint64, int>>& tempos, qint64& lastTick)
    {
        qint64 tick = 0;
        unsigned char status = 0;
        while (at_ < end_) {
            std::optional<quint32> delta = Number();
            if (!delta)
                return;
            tick += *delta;
            if (at_ >= end_)
                return;
            auto byte = static_cast<unsigned char>(song_[at_]);
            if (byte & 0x80) {
                ++at_;
                if (byte < 0xF0)
                    status = byte;
            } else if (status == 0) {
                return;
            } else {
                byte = status;
            }
            if (byte == 0xFF) {
                if (at_ >= end_)
                    return;
                auto type = static_cast<unsigned char>(song_[at_++]);
                std::optional<quint32> length = Number();
                if (!length || *length > quint32(end_ - at_))
                    return;
                if (type == 0x51 && *length == 3)
                    tempos.append({tick, int(Be(song_, at_, 3))});
                at_ += *length;
                lastTick = std::max(lastTick, tick);
                if (type == 0x2F)
                    return;
                status = 0;
            } else if (byte == 0xF0 || byte == 0xF7) {
                std::optional<quint32> length = Number();
                if (!length || *length > quint32(end_ - at_))
                    return;
                at_ += *length;
                status = 0;
            } else if (byte >= 0x80 && byte < 0xF0) {
                const int data = (byte & 0xF0) == 0xC0 || (byte & 0xF0) == 0xD0 ? 1 : 2;
                if (end_ - at_ < data)
                    return;
                at_ += data;
                lastTick = std::max(lastTick, tick);
            } else {
                return; // system common messages have no place in a file
            }
        }
    }

private:
    // A variable-length quantity of at most four bytes.
    std::optional<quint32> Number()
    {
        quint32 value = 0;
        for (int i = 0; i < 4; ++i) {
            if (at_ >= end_)
                return std::nullopt;
            auto byte = static_cast<unsigned char>(song_[at_++]);
            value = (value << 7) | (byte & 0x7F);
            if (!(byte & 0x80))
                return value;
        }
        return std::nullopt;
    }

    const QByteArray& song_;
    qsizetype at_;
    qsizetype end_;
};

} // namespace

double MidiTiming::SecondsAt(qint64 tick) const
{
    if (ticksPerSecond > 0)
        return double(tick) / ticksPerSecond;
    double seconds = 0;
    qint64 from = 0;
    int tempo = kDefaultTempo;
    for (const auto& [at, value] : tempos) {
        if (at >= tick)
            break;
        seconds += double(at - from) * tempo / 1e6 / ticksPerQuarter;
        from = at;
        tempo = value;
    }
    return seconds + double(tick - from) * tempo / 1e6 / ticksPerQuarter;
}

qint64 MidiTiming::TickAt(double seconds) const
{
    if (ticksPerSecond > 0)
        return qint64(seconds * ticksPerSecond);
    double elapsed = 0;
    qint64 from = 0;
    int tempo = kDefaultTempo;
    for (const auto& [at, value] : tempos) {
        const double next = elapsed + double(at - from) * tempo / 1e6 / ticksPerQuarter;
        if (next > seconds)
            break;
        elapsed = next;
        from = at;
        tempo = value;
    }
    return from + qint64((seconds - elapsed) * 1e6 * ticksPerQuarter / tempo);
}

std::optional<QByteArray> MidiSong(const QByteArray& file)
{
    if (file.startsWith("MThd"))
        return file;
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "RMID")
        return std::nullopt;
    qsizetype at = 12;
    while (at + 8 <= file.size()) {
        const quint32 size = Le32(file, at + 4);
        if (file.mid(at, 4) == "data") {
            QByteArray song = file.mid(at + 8, qsizetype(std::min<quint64>(size, file.size())));
            if (song.startsWith("MThd"))
                return song;
            return std::nullopt;
        }
        at += 8 + qsizetype(size) + (size & 1);
    }
    return std::nullopt;
}

std::optional<MidiTiming> ReadMidiTiming(const QByteArray& song)
{
    if (song.size() < 14 || !song.startsWith("MThd"))
        return std::nullopt;
    const quint32 headerLength = Be(song, 4, 4);
    if (headerLength < 6 || headerLength > quint32(song.size() - 8))
        return std::nullopt;
    MidiTiming timing;
    const quint32 division = Be(song, 12, 2);
    if (division & 0x8000) {
        const int fps = -static_cast<signed char>(division >> 8);
        const int perFrame = int(division & 0xFF);
        if (fps <= 0 || perFrame == 0)
            return std::nullopt;
        timing.ticksPerSecond = (fps == 29 ? 29.97 : fps) * perFrame;
    } else {
        if (division == 0)
            return std::nullopt;
        timing.ticksPerQuarter = int(division);
    }
    qsizetype at = 8 + qsizetype(headerLength);
    while (at + 8 <= song.size()) {
        const quint32 length = Be(song, at + 4, 4);
        const qsizetype begin = at + 8;
        const qsizetype end = begin + qsizetype(std::min<quint64>(length, song.size() - begin));
        if (song.mid(at, 4) == "MTrk")
            TrackReader(song, begin, end).Read(timing.tempos, timing.lastTick);
        at = end;
    }
    for (const auto& tempo : timing.tempos) {
        if (tempo.second <= 0)
            return std::nullopt;
    }
    std::stable_sort(timing.tempos.begin(), timing.tempos.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    if (timing.lastTick <= 0)
        return std::nullopt;
    return timing;
}

bool IsMidiFile(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == "mid" || suffix == "midi" || suffix == "rmi";
}

QString FindSoundFont()
{
    const QString chosen = qEnvironmentVariable("TOLVANE99_SOUNDFONT");
    if (!chosen.isEmpty())
        return QFileInfo(chosen).isFile() ? chosen : QString();
    for (const char* path :
         {"/usr/share/sounds/sf2/FluidR3_GM.sf2", "/usr/share/sounds/sf2/TimGM6mb.sf2",
          "/usr/share/sounds/sf2/default-GM.sf2"}) {
        if (QFileInfo(QString::fromLatin1(path)).isFile())
            return QString::fromLatin1(path);
    }
    return QString();
}

QString MidiFileAddress(const QString& localPath)
{
    return QString(kScheme) +
           "://file?path=" + QString::fromLatin1(QUrl::toPercentEncoding(localPath));
}

MidiRendering::~MidiRendering()
{
    if (player_)
        delete_fluid_player(player_);
    if (synth_)
        delete_fluid_synth(synth_);
    if (settings_)
        delete_fluid_settings(settings_);
}

std::unique_ptr<MidiRendering> MidiRendering::Open(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    std::optional<QByteArray> song = MidiSong(file.readAll());
    if (!song)
        return nullptr;
    std::optional<MidiTiming> timing = ReadMidiTiming(*song);
    const QString soundFont = FindSoundFont();
    if (!timing || soundFont.isEmpty())
        return nullptr;
    std::unique_ptr<MidiRendering> r(new MidiRendering);
    r->song_ = *song;
    r->timing_ = *timing;
    r->frames_ = qint64(std::ceil(r->timing_.SecondsAt(r->timing_.lastTick) * kRate));
    r->header_ = WavHeader(r->frames_ * kFrameBytes);
    r->settings_ = new_fluid_settings();
    fluid_settings_setnum(r->settings_, "synth.sample-rate", kRate);
    // The player follows the samples rendered, not the clock: as fast as it is read.
    fluid_settings_setstr(r->settings_, "player.timing-source", "sample");
    fluid_settings_setint(r->settings_, "synth.dynamic-sample-loading", 1);
    r->synth_ = new_fluid_synth(r->settings_);
    if (!r->synth_ ||
        fluid_synth_sfload(r->synth_, QFile::encodeName(soundFont).constData(), 1) == FLUID_FAILED)
        return nullptr;
    if (!r->Restart(0))
        return nullptr;
    return r;
}

bool MidiRendering::Seek(qint64 pos)
{
    if (pos < 0 || pos > Size())
        return false;
    pos_ = pos;
    return true;
}

qint64 MidiRendering::Read(char* buffer, qint64 count)
{
    qint64 done = 0;
    while (done < count && pos_ < Size()) {
        if (pos_ < header_.size()) {
            const qint64 n = std::min<qint64>(header_.size() - pos_, count - done);
            std::memcpy(buffer + done, header_.constData() + pos_, size_t(n));
            done += n;
            pos_ += n;
            continue;
        }
        const qint64 frame = (pos_ - header_.size()) / kFrameBytes;
        if (frame < blockFirst_ || frame >= blockFirst_ + blockFrames_)
            RenderBlock(frame);
        const qint64 offset = pos_ - header_.size() - blockFirst_ * kFrameBytes;
        const qint64 n =
            std::min<qint64>(qint64(blockFrames_) * kFrameBytes - offset, count - done);
        std::memcpy(buffer + done, reinterpret_cast<const char*>(block_.data()) + offset,
                    size_t(n));
        done += n;
        pos_ += n;
    }
    return done;
}

bool MidiRendering::Restart(qint64 frame)
{
    if (player_)
        delete_fluid_player(player_);
    fluid_synth_all_sounds_off(synth_, -1);
    player_ = new_fluid_player(synth_);
    if (player_ &&
        fluid_player_add_mem(player_, song_.constData(), size_t(song_.size())) == FLUID_FAILED) {
        delete_fluid_player(player_);
        player_ = nullptr;
    }
    if (!player_)
        return false;
    fluid_player_play(player_);
    if (frame > 0)
        fluid_player_seek(player_, int(timing_.TickAt(double(frame) / kRate)));
    next_ = frame;
    return true;
}

void MidiRendering::RenderBlock(qint64 frame)
{
    // A synthesizer that cannot start again leaves the rest of the song silent.
    if (frame != next_)
        Restart(frame);
    blockFirst_ = frame;
    blockFrames_ = int(std::min<qint64>(kBlockFrames, frames_ - frame));
    block_.assign(size_t(blockFrames_) * 2, 0);
    if (player_)
        fluid_synth_write_s16(synth_, blockFrames_, block_.data(), 0, 2, block_.data(), 1, 2);
    next_ = frame + blockFrames_;
}

namespace {

int64_t ReadFn(void* cookie, char* buffer, uint64_t bytes)
{
    return static_cast<MidiRendering*>(cookie)->Read(buffer, qint64(bytes));
}

int64_t SeekFn(void* cookie, int64_t offset)
{
    if (!static_cast<MidiRendering*>(cookie)->Seek(offset))
        return MPV_ERROR_GENERIC;
    return offset;
}

int64_t SizeFn(void* cookie)
{
    return static_cast<MidiRendering*>(cookie)->Size();
}

void CloseFn(void* cookie)
{
    delete static_cast<MidiRendering*>(cookie);
}

// FluidSynth writes its warnings to the terminal; only its errors are worth a line.
void QuietFluidSynth()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, nullptr, nullptr);
    });
}

int OpenFn(void*, char* uri, mpv_stream_cb_info* info)
{
    QuietFluidSynth();
    const QString address = QString::fromUtf8(uri);
    const QString prefix = QString(kScheme) + "://file?path=";
    if (!address.startsWith(prefix))
        return MPV_ERROR_LOADING_FAILED;
    std::unique_ptr<MidiRendering> rendering =
        MidiRendering::Open(QUrl::fromPercentEncoding(address.mid(prefix.size()).toLatin1()));
    if (!rendering)
        return MPV_ERROR_LOADING_FAILED;
    info->cookie = rendering.release();
    info->read_fn = ReadFn;
    info->seek_fn = SeekFn;
    info->size_fn = SizeFn;
    info->close_fn = CloseFn;
    return 0;
}

} // namespace

bool RegisterMidiStream(Mpv& mpv)
{
    return mpv.Ok() && mpv_stream_cb_add_ro(mpv.Handle(), kScheme, nullptr, OpenFn) >= 0;
}

} // namespace tolvane
