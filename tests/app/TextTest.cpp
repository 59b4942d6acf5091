#include "app/Text.h"
#include "fakes/QtPrinters.h"

#include <gtest/gtest.h>
#include <limits>

using namespace tolvane;

TEST(PathHelpers, FolderNameExtensionAndJoin)
{
    using Part = QString (*)(const QString&);
    const std::tuple<Part, const char*, const char*> parts[] = {
        {FolderPart, "D:\\MPEGAV\\AVSEQ01.DAT", "D:\\MPEGAV"},
        {FolderPart, "D:\\MPEGAV", "D:\\MPEGAV"},
        // A dot anywhere counts, even in a folder name.
        {FolderPart, "C:\\My.Music\\Album", "C:\\My.Music"},
        {FileNamePart, "C:\\a\\b.mp3", "b.mp3"},
        {FileNamePart, "b.mp3", "b.mp3"},
        // The extension comes from the last five characters.
        {ExtName, "C:\\Song.MP3", "mp3"},
        {ExtName, "C:\\Clip.mpeg", "mpe"},
        {ExtName, "C:\\a.b\\noext", ""},
        {ExtName, "x.rm", "rm"},
        {ExtName, ".mp3", ""},
        {ExtName, "C:\\a\\.mp3", ""},
        {ExtName, "C:\\Song.MP3x", "mp3"}};
    for (auto [part, path, expected] : parts)
        EXPECT_EQ(part(path), expected) << path;
    // Exactly one backslash, and only the name part of the second path.
    EXPECT_EQ(PathJoin("C:\\Temp", "a.txt"), "C:\\Temp\\a.txt");
    EXPECT_EQ(PathJoin("C:\\Temp\\", "a.txt"), "C:\\Temp\\a.txt");
    EXPECT_EQ(PathJoin("C:\\Temp", "D:\\Lyrics\\a.txt"), "C:\\Temp\\a.txt");
    EXPECT_EQ(PathJoin("C:\\", "unknow.m3u"), "C:\\unknow.m3u");
}

TEST(Numbers, ParsingRoundingAndPadding)
{
    const std::pair<const char*, double> lenient[] = {
        {"80", 80}, {"  12.5abc", 12.5}, {"-3", -3}, {"abc", 0},
        {"", 0},    {"1e2x", 100},       {"7e", 7},  {".5", 0.5}};
    for (auto [text, value] : lenient)
        EXPECT_EQ(LenientNumber(text), value) << text;
    // Numbers a file may hold beyond any integer end at the range's ends, the same
    // distance from zero on both sides, so a negated result is still a number.
    constexpr long long kMax = std::numeric_limits<long long>::max();
    const std::pair<double, long long> rounded[] = {
        {2.5, 2},       {3.5, 4},         {-2.5, -2},
        {2.51, 3},      {1e300, kMax},    {-1e300, -kMax},
        {9.3e18, kMax}, {-9.3e18, -kMax}, {std::numeric_limits<double>::quiet_NaN(), 0}};
    for (auto [value, result] : rounded)
        EXPECT_EQ(RoundHalfEven(value), result) << value;
    EXPECT_EQ(ZeroPad(7, 3), "007");
    EXPECT_EQ(ZeroPad(12345, 4), "2345");
    EXPECT_EQ(ZeroPad(0, 4), "0000");
}

TEST(Numbers, SixteenBitAndBooleanConversionsLeaveTheValueOnFailure)
{
    const std::tuple<const char*, bool, int> int16s[] = {
        {"1000", true, 1000},       {"10.5", true, 10},     {"40000", false, -1},
        {"-32768.5", true, -32768}, {"32767.5", false, -1}, {"1e300", false, -1},
        {"-1e300", false, -1},      {"loud", false, -1}};
    for (auto [text, ok, expected] : int16s) {
        int value = -1;
        EXPECT_EQ(ToInt16(text, value), ok) << text;
        EXPECT_EQ(value, expected) << text;
    }
    const std::tuple<const char*, bool, bool> bools[] = {
        {"TRUE", true, true}, {"0", true, false}, {"-1", true, true}, {"yes", false, true}};
    for (auto [text, ok, expected] : bools) {
        bool flag = !expected;
        EXPECT_EQ(ToBool(text, flag), ok) << text;
        EXPECT_EQ(flag, ok ? expected : !expected) << text;
    }
}
