#include "platform/CodePage.h"

#include <gtest/gtest.h>

using namespace tolvane;

// Lines read one by one give what reading each alone gives: UTF-8 when valid, else the
// code page, its undefined bytes included.
TEST(CodePage, LinesReadOneByOneAsEachAlone)
{
    CodePage cp(950);
    CodePage::LineDecoder lines(cp);
    const QByteArray cases[] = {
        "plain",
        "\xA4\xA4\xA4\xE5 ok",      // 中文
        "\xA2\xCC\xA4\x51",         // 十 in its two codes
        "\x80@\xFF",                // bytes of their own
        "tail \xA4",                // a lead byte without its trail
        "\xA4\x7F\xF9\xFE\xC8\x40", // undefined pairs
        QString("歌 ü😀").toUtf8(),
    };
    for (const QByteArray& line : cases) {
        const QString alone =
            CodePage::IsValidUtf8(line) ? QString::fromUtf8(line) : cp.Decode(line);
        EXPECT_EQ(lines.Decode(line.constData(), line.size()), alone) << line.toHex().toStdString();
    }
    EXPECT_EQ(cp.FormsOf(QChar(0x5341)), QList<QByteArray>({"\xA2\xCC", "\xA4\x51"}));
    EXPECT_EQ(cp.FormsOf(QChar(0x4E2D)), QList<QByteArray>({"\xA4\xA4"}));
    EXPECT_TRUE(cp.FormsOf(QChar(0x00FC)).isEmpty());
}
