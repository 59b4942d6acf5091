#include "platform/CdAudioStream.h"

#include "platform/StreamProtocol.h"

#include <QMutexLocker>
#include <cdio/cdio.h>
#include <cstring>

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

// The disc's audio tracks as one WAV file, read through the stream's own handle.
class CdAudioReader : public EngineStream
{
public:
    ~CdAudioReader() override
    {
        if (cdio_)
            cdio_destroy(cdio_);
    }

    static std::unique_ptr<EngineStream> Open(const CdAudioSource& source)
    {
        QString path;
        bool image = false;
        auto reader = std::make_unique<CdAudioReader>();
        source.Get(path, image, reader->layout_);
        if (reader->layout_.tracks.isEmpty())
            return nullptr;
        reader->cdio_ = CdDrive::OpenHandle(path, image);
        if (!reader->cdio_)
            return nullptr;
        reader->header_ = WavHeader(reader->layout_.DataBytes());
        reader->size_ = kWavHeaderBytes + reader->layout_.DataBytes();
        return reader;
    }

    qint64 Size() const override { return size_; }

    bool Seek(qint64 pos) override
    {
        if (pos < 0 || pos > size_)
            return false;
        pos_ = pos;
        return true;
    }

    qint64 Read(char* buffer, qint64 count) override
    {
        if (pos_ >= size_)
            return 0;
        if (pos_ < kWavHeaderBytes) {
            qint64 n = std::min<qint64>(kWavHeaderBytes - pos_, count);
            std::memcpy(buffer, header_.constData() + pos_, size_t(n));
            pos_ += n;
            return n;
        }
        qint64 offset = pos_ - kWavHeaderBytes;
        int frame = int(offset / kCdSectorBytes);
        int within = int(offset % kCdSectorBytes);
        auto [track, inTrack] = layout_.Locate(frame);
        const CdTrack* info = nullptr;
        for (const CdTrack& t : layout_.tracks) {
            if (t.number == track)
                info = &t;
        }
        if (!info || inTrack >= info->length)
            return 0;
        // Whole sectors up to the end of the track, at most about 64 KiB a call.
        int sectorCount = std::min(info->length - inTrack, 27);
        sectors_.resize(sectorCount * kCdSectorBytes);
        if (cdio_read_audio_sectors(cdio_, sectors_.data(), info->start + inTrack,
                                    static_cast<uint32_t>(sectorCount)) != DRIVER_OP_SUCCESS) {
            // An unreadable spot plays as silence rather than ending the disc.
            sectors_.fill(0);
        }
        qint64 n = std::min<qint64>(qint64(sectorCount) * kCdSectorBytes - within, count);
        std::memcpy(buffer, sectors_.constData() + within, size_t(n));
        pos_ += n;
        return n;
    }

private:
    CdIo_t* cdio_ = nullptr;
    CdAudioLayout layout_;
    QByteArray header_;
    qint64 size_ = 0;
    qint64 pos_ = 0;
    QByteArray sectors_;
};

} // namespace

bool RegisterCdAudioStream(Mpv& mpv, CdAudioSource& source)
{
    return RegisterStreamProtocol(
        mpv, "tolvanecd", [&source](const QString&) { return CdAudioReader::Open(source); });
}

} // namespace tolvane
