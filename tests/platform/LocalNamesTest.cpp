#include "platform/LocalNames.h"

#include <gtest/gtest.h>

using namespace tolvane;

namespace {

QString Units(std::initializer_list<char16_t> units)
{
    QString text;
    for (char16_t unit : units)
        text += QChar(unit);
    return text;
}

// Bytes on disk, the local path that holds them and the path shown; every local path
// gives back its bytes.
TEST(LocalNames, UnicodeNamesAsTheyAreOthersEscapedAndShownInBig5)
{
    const struct
    {
        const char* name;
        QByteArray bytes;
        QString local, shown;
    } cases[] = {
        {"ASCII", "/music/song.mp3", "/music/song.mp3", "/music/song.mp3"},
        {"UTF-8", "/\xE9\x9F\xB3\xE6\xA8\x82/a.mp3", "/音樂/a.mp3", "/音樂/a.mp3"},
        {"Big5", "\xA5\xFA\xBA\xD0", Units({0xDCA5, 0xDCFA, 0xDCBA, 0xDCD0}), "光碟"},
        {"Big5 with an ASCII second byte", "\xBA\x71.mp3", Units({0xDCBA, 'q'}) + ".mp3", "歌.mp3"},
        {"a lead byte cut short", "\xA5\xFA\xA4", Units({0xDCA5, 0xDCFA, 0xDCA4}),
         "光" + Units({0xFFFD})},
        {"bytes of no code page", "\xFF\xFE", Units({0xDCFF, 0xDCFE}), Units({0xFFFD, 0xFFFD})},
        {"an escape written as UTF-8 is no text", "\xED\xB2\x80", Units({0xDCED, 0xDCB2, 0xDC80}),
         Units({0x7A5B, 0x80})},
        {"one bad byte escapes its whole component only", "/\xE9\x9F\xB3\xFF/\xE9\x9F\xB3",
         "/" + Units({0xDCE9, 0xDC9F, 0xDCB3, 0xDCFF}) + "/音",
         "/" + Units({0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD}) + "/音"},
        {"mixed components", "/music/\xA5\xFA\xBA\xD0/\xE9\x9F\xB3\xE6\xA8\x82/1.mp3",
         "/music/" + Units({0xDCA5, 0xDCFA, 0xDCBA, 0xDCD0}) + "/音樂/1.mp3",
         "/music/光碟/音樂/1.mp3"},
        {"a character beyond the first plane", "\xF0\x90\x82\x80", Units({0xD800, 0xDC80}),
         Units({0xD800, 0xDC80})},
        {"empty", "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString local = LocalName(c.bytes);
        EXPECT_EQ(local, c.local);
        EXPECT_EQ(LocalBytes(local), c.bytes);
        EXPECT_EQ(DisplayPath(local), c.shown);
        if (!c.bytes.contains('/')) {
            EXPECT_EQ(DisplayName(c.bytes), c.shown);
        }
    }
}

// Every byte string survives the way to a local path and back, one byte at a time and
// as pairs, which covers every lead and trail byte.
TEST(LocalNames, EveryByteAndPairOfBytesRoundTrips)
{
    for (int first = 1; first < 256; ++first) {
        for (int second = 0; second < 256; ++second) {
            QByteArray bytes(1, char(first));
            if (second)
                bytes += char(second);
            ASSERT_EQ(LocalBytes(LocalName(bytes)), bytes) << first << " " << second;
        }
    }
}

} // namespace
