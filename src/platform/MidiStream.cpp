#include "platform/MidiStream.h"

#include "platform/CdAudioStream.h"
#include "platform/FluidLibrary.h"
#include "platform/LocalFiles.h"
#include "platform/LocalNames.h"
#include "platform/Mpv.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace tolvane {

namespace {

constexpr char kScheme[] = "tolvanemidi";
constexpr int kRate = 44100;
constexpr int kFrameBytes = 4; // 16-bit stereo
constexpr int kBlockFrames = 4096;

} // namespace

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
           "://file?path=" + QString::fromLatin1(LocalBytes(localPath).toPercentEncoding());
}

MidiRendering::~MidiRendering()
{
    if (player_)
        fluid_->delete_player(player_);
    if (synth_)
        fluid_->delete_synth(synth_);
    if (settings_)
        fluid_->delete_settings(settings_);
}

std::unique_ptr<MidiRendering> MidiRendering::Open(const QString& path)
{
    QFile file;
    if (!OpenLocal(file, path, QIODevice::ReadOnly))
        return nullptr;
    std::optional<QByteArray> song = MidiSong(file.readAll());
    if (!song)
        return nullptr;
    std::optional<MidiTiming> timing = ReadMidiTiming(*song);
    const QString soundFont = FindSoundFont();
    if (!timing || soundFont.isEmpty())
        return nullptr;
    const FluidLibrary* fluid = FluidLibrary::Shared();
    if (!fluid)
        return nullptr;
    std::unique_ptr<MidiRendering> r(new MidiRendering(*fluid));
    r->song_ = *song;
    r->timing_ = *timing;
    r->frames_ = qint64(std::ceil(r->timing_.SecondsAt(r->timing_.lastTick) * kRate));
    r->header_ = WavHeader(r->frames_ * kFrameBytes);
    r->settings_ = fluid->new_settings();
    fluid->settings_setnum(r->settings_, "synth.sample-rate", kRate);
    // The player follows the samples rendered, not the clock: as fast as it is read.
    fluid->settings_setstr(r->settings_, "player.timing-source", "sample");
    fluid->settings_setint(r->settings_, "synth.dynamic-sample-loading", 1);
    r->synth_ = fluid->new_synth(r->settings_);
    if (!r->synth_ ||
        fluid->synth_sfload(r->synth_, QFile::encodeName(soundFont).constData(), 1) == FLUID_FAILED)
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
        fluid_->delete_player(player_);
    fluid_->synth_all_sounds_off(synth_, -1);
    player_ = fluid_->new_player(synth_);
    if (player_ &&
        fluid_->player_add_mem(player_, song_.constData(), size_t(song_.size())) == FLUID_FAILED) {
        fluid_->delete_player(player_);
        player_ = nullptr;
    }
    if (!player_)
        return false;
    fluid_->player_play(player_);
    if (frame > 0)
        fluid_->player_seek(player_, int(timing_.TickAt(double(frame) / kRate)));
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
        fluid_->synth_write_s16(synth_, blockFrames_, block_.data(), 0, 2, block_.data(), 1, 2);
    next_ = frame + blockFrames_;
}

bool RegisterMidiStream(Mpv& mpv)
{
    return RegisterStreamProtocol(mpv, kScheme, [](const QString& address) {
        const QString prefix = QString(kScheme) + "://file?path=";
        std::unique_ptr<EngineStream> rendering;
        if (address.startsWith(prefix))
            rendering = MidiRendering::Open(
                LocalName(QByteArray::fromPercentEncoding(address.mid(prefix.size()).toLatin1())));
        return rendering;
    });
}

} // namespace tolvane
