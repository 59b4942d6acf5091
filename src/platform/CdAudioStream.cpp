#include "platform/CdAudioStream.h"

#include "platform/Mpv.h"

#include <QMutexLocker>
#include <cdio/cdio.h>
#include <cstring>
#include <mpv/stream_cb.h>

namespace tolvane {

int CdAudioLayout::TotalFrames() const
{
    int total = 0;
    for (const CdTrack& track : tracks)
        total += track.length;
    return total;
}

std::pair<int, int> CdAudioLayout::Locate(int streamFrame) const
{
    if (tracks.isEmpty())
        return {0, 0};
    int base = 0;
    for (const CdTrack& track : tracks) {
        if (streamFrame < base + track.length)
            return {track.number, std::max(0, streamFrame - base)};
        base += track.length;
    }
    return {tracks.last().number, tracks.last().length};
}

std::optional<int> CdAudioLayout::StreamFrame(int track, int frame) const
{
    int base = 0;
    for (const CdTrack& t : tracks) {
        if (t.number == track)
            return base + frame;
        base += t.length;
    }
    return std::nullopt;
}

namespace {

void PutLe(QByteArray& bytes, quint32 value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

} // namespace

QByteArray WavHeader(qint64 dataBytes)
{
    QByteArray header;
    header.append("RIFF");
    PutLe(header, static_cast<quint32>(36 + dataBytes), 4);
    header.append("WAVEfmt ");
    PutLe(header, 16, 4);
    PutLe(header, 1, 2); // PCM
    PutLe(header, 2, 2);
    PutLe(header, 44100, 4);
    PutLe(header, 44100 * 4, 4);
    PutLe(header, 4, 2);
    PutLe(header, 16, 2);
    header.append("data");
    PutLe(header, static_cast<quint32>(dataBytes), 4);
    return header;
}

void CdAudioSource::Set(const QString& source, bool image, const CdAudioLayout& layout)
{
    QMutexLocker lock(&mutex_);
    source_ = source;
    image_ = image;
    layout_ = layout;
}

void CdAudioSource::Get(QString& source, bool& image, CdAudioLayout& layout) const
{
    QMutexLocker lock(&mutex_);
    source = source_;
    image = image_;
    layout = layout_;
}

namespace {

struct Reader
{
    CdIo_t* cdio = nullptr;
    CdAudioLayout layout;
    QByteArray header;
    qint64 size = 0;
    qint64 pos = 0;
    QByteArray sectors;
};

int64_t ReadFn(void* cookie, char* buf, uint64_t nbytes)
{
    auto* reader = static_cast<Reader*>(cookie);
    if (reader->pos >= reader->size)
        return 0;
    if (reader->pos < kWavHeaderBytes) {
        qint64 n = std::min<qint64>(kWavHeaderBytes - reader->pos, qint64(nbytes));
        std::memcpy(buf, reader->header.constData() + reader->pos, size_t(n));
        reader->pos += n;
        return n;
    }
    qint64 offset = reader->pos - kWavHeaderBytes;
    int frame = int(offset / kCdSectorBytes);
    int within = int(offset % kCdSectorBytes);
    auto [track, inTrack] = reader->layout.Locate(frame);
    const CdTrack* info = nullptr;
    for (const CdTrack& t : reader->layout.tracks) {
        if (t.number == track)
            info = &t;
    }
    if (!info || inTrack >= info->length)
        return 0;
    // Whole sectors up to the end of the track, at most about 64 KiB a call.
    int count = std::min(info->length - inTrack, 27);
    reader->sectors.resize(count * kCdSectorBytes);
    if (cdio_read_audio_sectors(reader->cdio, reader->sectors.data(), info->start + inTrack,
                                static_cast<uint32_t>(count)) != DRIVER_OP_SUCCESS) {
        // An unreadable spot plays as silence rather than ending the disc.
        reader->sectors.fill(0);
    }
    qint64 n = std::min<qint64>(qint64(count) * kCdSectorBytes - within, qint64(nbytes));
    std::memcpy(buf, reader->sectors.constData() + within, size_t(n));
    reader->pos += n;
    return n;
}

int64_t SeekFn(void* cookie, int64_t offset)
{
    auto* reader = static_cast<Reader*>(cookie);
    if (offset < 0 || offset > reader->size)
        return MPV_ERROR_GENERIC;
    reader->pos = offset;
    return offset;
}

int64_t SizeFn(void* cookie)
{
    return static_cast<Reader*>(cookie)->size;
}

void CloseFn(void* cookie)
{
    auto* reader = static_cast<Reader*>(cookie);
    if (reader->cdio)
        cdio_destroy(reader->cdio);
    delete reader;
}

int OpenFn(void* userData, char* /*uri*/, mpv_stream_cb_info* info)
{
    auto* source = static_cast<CdAudioSource*>(userData);
    QString path;
    bool image = false;
    auto reader = std::make_unique<Reader>();
    source->Get(path, image, reader->layout);
    if (reader->layout.tracks.isEmpty())
        return MPV_ERROR_LOADING_FAILED;
    reader->cdio = CdDrive::OpenHandle(path, image);
    if (!reader->cdio)
        return MPV_ERROR_LOADING_FAILED;
    reader->header = WavHeader(reader->layout.DataBytes());
    reader->size = kWavHeaderBytes + reader->layout.DataBytes();
    info->cookie = reader.release();
    info->read_fn = ReadFn;
    info->seek_fn = SeekFn;
    info->size_fn = SizeFn;
    info->close_fn = CloseFn;
    return 0;
}

} // namespace

bool RegisterCdAudioStream(Mpv& mpv, CdAudioSource& source)
{
    return mpv.Ok() && mpv_stream_cb_add_ro(mpv.Handle(), "tolvanecd", &source, OpenFn) >= 0;
}

} // namespace tolvane
