#include "platform/MidiFile.h"

#include <algorithm>

namespace tolvane {

namespace {

constexpr int kDefaultTempo = 500000; // microseconds a quarter: 120 a minute

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

} // namespace tolvane
