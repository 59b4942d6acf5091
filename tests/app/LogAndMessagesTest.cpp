#include "app/Log.h"
#include "app/Messages.h"
#include "fakes/FakePlatform.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace tolvane;

TEST(Log, OpenWritesTheDateAndEntryLineInBig5WithCrLf)
{
    FakePlatform fake;
    Log log(fake.platform);
    log.LogOpen();
    fake.clock.now = fake.clock.now.addSecs(61);
    log.LogWrite("設定參數");
    QByteArray bytes = fake.ReadBytes("C:\\Tolvane99\\TL99.log");
    QStringList lines = fake.ReadLines("C:\\Tolvane99\\TL99.log");
    ASSERT_EQ(lines.size(), 3);
    EXPECT_FALSE(lines[0].isEmpty());
    EXPECT_EQ(lines[1], "09:05:03 進入Tolvane99 V1.1.400");
    EXPECT_EQ(lines[2], "09:06:04 設定參數");
    EXPECT_TRUE(bytes.contains(QByteArray("09:06:04 \xB3\x5D\xA9\x77\xB0\xD1\xBC\xC6\r\n")));
    EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
}

TEST(Log, ASecondOpenTruncatesAndWriteBeforeOpenHasNoHeader)
{
    FakePlatform fake;
    Log log(fake.platform);
    log.LogWrite("早到的一行");
    EXPECT_EQ(fake.ReadLines("C:\\Tolvane99\\TL99.log"), QStringList({"09:05:03 早到的一行"}));
    log.LogOpen();
    log.LogWrite("first run");
    log.LogOpen();
    log.LogWrite("second run");
    QStringList lines = fake.ReadLines("C:\\Tolvane99\\TL99.log");
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[2], "09:05:03 second run");
}

TEST(Log, ALogDeletedWhileRunningStartsAgainAndTheTimeFollowsTheClock)
{
    FakePlatform fake;
    Log log(fake.platform);
    log.LogOpen();
    log.LogWrite("one");
    ASSERT_TRUE(QFile::remove(fake.LocalPath("C:\\Tolvane99\\TL99.log")));
    fake.clock.now = fake.clock.now.addSecs(61);
    log.LogWrite("two");
    log.LogWrite("三");
    EXPECT_EQ(fake.ReadLines("C:\\Tolvane99\\TL99.log"),
              QStringList({"09:06:04 two", "09:06:04 三"}));
}

TEST(Log, ABatchHoldsLinesUntilFlushedOrEnded)
{
    FakePlatform fake;
    Log log(fake.platform);
    const QString path = "C:\\Tolvane99\\TL99.log";
    {
        Log::Batch batch(log);
        log.LogWrite("a");
        log.LogWrite("b");
        EXPECT_TRUE(fake.ReadLines(path).isEmpty());
        log.Flush();
        EXPECT_EQ(fake.ReadLines(path).size(), 2);
        log.LogWrite("c");
        {
            Log::Batch inner(log);
            log.LogWrite("d");
        }
        EXPECT_EQ(fake.ReadLines(path).size(), 2); // the outer batch still holds them
    }
    EXPECT_EQ(fake.ReadLines(path),
              QStringList({"09:05:03 a", "09:05:03 b", "09:05:03 c", "09:05:03 d"}));
    log.LogWrite("e");
    EXPECT_EQ(fake.ReadLines(path).size(), 5);
}

TEST(Log, ALineBig5CannotCarryTurnsTheLogToUtf8AndKeepsEveryLine)
{
    FakePlatform fake;
    Log log(fake.platform);
    log.LogOpen();
    log.LogWrite("中文歌名");
    log.LogWrite("Ærø 😀");
    log.LogWrite("之後");
    QByteArray bytes = fake.ReadBytes("C:\\Tolvane99\\TL99.log");
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    QStringList lines = fake.ReadLines("C:\\Tolvane99\\TL99.log");
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[1], "09:05:03 進入Tolvane99 V1.1.400");
    EXPECT_EQ(lines[2], "09:05:03 中文歌名");
    EXPECT_EQ(lines[3], "09:05:03 Ærø 😀");
    EXPECT_EQ(lines[4], "09:05:03 之後");
    // The next start is Big5 again.
    log.LogOpen();
    EXPECT_FALSE(fake.ReadBytes("C:\\Tolvane99\\TL99.log").startsWith("\xEF\xBB\xBF"));
}

TEST(Messages, EachKindHasItsButtonsIconAndCaption)
{
    FakePlatform fake;
    struct Case
    {
        const char* kind;
        int style;
        const char* caption;
    } cases[] = {{"ok", 64, "Message"},
                 {"ERROR", 16, "Error Message"},
                 {"Info", 64, "Message"},
                 {"exc", 48, "Exclamation"},
                 {"YESNO", 36, "Question"}};
    for (const Case& c : cases) {
        ShowMessage(fake.prompter, "text", c.kind);
        EXPECT_EQ(fake.prompter.shown.last().style, c.style) << c.kind;
        EXPECT_EQ(fake.prompter.shown.last().caption, c.caption) << c.kind;
    }
    ShowMessage(fake.prompter, "text", "strange");
    EXPECT_EQ(fake.prompter.shown.last().style, 0);
}

TEST(Messages, AnswersComeBackAsButtonCodes)
{
    FakePlatform fake;
    fake.prompter.answers = {kIdYes, kIdNo};
    EXPECT_EQ(ShowMessage(fake.prompter, "刪除?\r\n確定", "YESNO"), "6");
    EXPECT_EQ(ShowMessage(fake.prompter, "again", "yesno"), "7");
    EXPECT_EQ(ShowMessage(fake.prompter, "done", "ok"), "1");
    EXPECT_EQ(fake.prompter.shown[0].prompt, "刪除?\r\n確定");
}
