#include "platform/MidiStream.h"
#include "MediaFixtures.h"

#include <QtEndian>
#include <cmath>
#include <gtest/gtest.h>

using namespace tolvane;

namespace {

// A one-track file at 480 ticks a quarter from the track's raw event bytes.
QByteArray Song(const QByteArray& events, quint16 division = 480)
{
    QByteArray head("MThd\0\0\0\6\0\0\0\1..MTrk....", 22);
    qToBigEndian<quint16>(division, head.data() + 12);
    qToBigEndian<quint32>(quint32(events.size()), head.data() + 18);
    return head + events;
}

const QByteArray kEnd("\0\xFF\x2F\0", 4);

TEST(MidiTimingTest, LengthsFollowTheTempoMap)
{
    // The song's bytes and the time of its last event; negative: not a song.
    const std::tuple<const char*, QByteArray, double> cases[] = {
        // 1920 ticks at the default 120 a minute.
        {"default tempo", Song(QByteArray("\0\x90\x3C\x64\x8F\0\x80\x3C\x40", 9) + kEnd), 2.0},
        // Running status: the note off is a second note on without its status byte.
        {"running status", Song(QByteArray("\0\x90\x3C\x64\x83\x60\x3C\0", 8) + kEnd), 0.5},
        // 480 ticks at 120, then 480 at 60 a minute.
        {"tempo change",
         Song(QByteArray("\0\x90\x3C\x64\x83\x60\xFF\x51\x03\x0F\x42\x40\x83\x60\x80\x3C\0", 17) +
              kEnd),
         1.5},
        // 25 frames of 40 ticks: 1000 ticks a second.
        {"SMPTE", Song(QByteArray("\0\x90\x3C\x64\x87\x68\x80\x3C\0", 9) + kEnd, 0xE728), 1.0},
        // A track cut short keeps what it has.
        {"cut short", Song(QByteArray("\0\x90\x3C\x64\x83\x60\x80\x3C\0\x8F\0\x80", 12)), 0.5},
        {"no events", Song(kEnd), -1},
        {"not a song", QByteArray("RIFFxxxxWAVEfmt "), -1},
        {"no division", Song(kEnd, 0), -1},
    };
    for (const auto& [name, song, seconds] : cases) {
        SCOPED_TRACE(name);
        std::optional<MidiTiming> timing = ReadMidiTiming(song);
        ASSERT_EQ(timing.has_value(), seconds >= 0);
        if (!timing)
            continue;
        EXPECT_NEAR(timing->SecondsAt(timing->lastTick), seconds, 1e-9);
        EXPECT_NEAR(timing->TickAt(timing->SecondsAt(timing->lastTick / 2)), timing->lastTick / 2,
                    1);
    }
}

// The song of an RMID file and of a plain one play with the other media.
TEST(MidiTimingTest, AnRmidFileWithoutADataChunkHasNoSong)
{
    EXPECT_FALSE(MidiSong(QByteArray("RIFF\4\0\0\0RMID", 12)).has_value());
}

TEST(MidiRenderingTest, TheNoteSoundsForTheLengthOfTheSong)
{
    std::unique_ptr<MidiRendering> rendering = MidiRendering::Open(MediaFixtures() + "/tone.mid");
    ASSERT_TRUE(rendering) << "no SoundFont: install timgm6mb-soundfont";
    EXPECT_EQ(rendering->Size(), 44 + 2 * 44100 * 4);
    QByteArray data(rendering->Size(), '\0');
    ASSERT_EQ(rendering->Read(data.data(), data.size()), data.size());
    EXPECT_TRUE(data.startsWith("RIFF"));
    EXPECT_EQ(qFromLittleEndian<quint32>(data.constData() + 40), 2u * 44100u * 4u);
    auto loudness = [&](double from, double to) {
        double sum = 0;
        const auto* samples = reinterpret_cast<const qint16*>(data.constData() + 44);
        for (qint64 i = qint64(from * 44100) * 2; i < qint64(to * 44100) * 2; ++i)
            sum += std::abs(samples[i]);
        return sum / ((to - from) * 44100 * 2);
    };
    EXPECT_GT(loudness(0.1, 0.3), 50);
    // Read again from the middle: the same song, not the start again.
    ASSERT_TRUE(rendering->Seek(44 + 44100 * 4));
    QByteArray again(4096, '\0');
    EXPECT_EQ(rendering->Read(again.data(), again.size()), again.size());
    EXPECT_FALSE(rendering->Seek(rendering->Size() + 1));
}

} // namespace
