#include "app/RtfReader.h"
#include "platform/CodePage.h"

#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>
#include <random>

using namespace tolvane;

// Readable failure messages; static so other test files may have their own.
static void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

class RtfTest : public testing::Test
{
protected:
    // Reads a document that must be recognised as RTF.
    void Read(const QByteArray& rtf) { ASSERT_TRUE(ReadRtf(rtf, doc_)); }

    // Raw block texts (no-break spaces and line separators kept).
    QStringList Blocks() const
    {
        QStringList out;
        for (QTextBlock b = doc_.begin(); b.isValid(); b = b.next())
            out << b.text();
        return out;
    }

    QString Text() const { return Blocks().join('\n'); }

    // The format of the run holding `needle`.
    QTextCharFormat FormatOf(const QString& needle) const
    {
        for (QTextBlock b = doc_.begin(); b.isValid(); b = b.next()) {
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                if (it.fragment().text().contains(needle))
                    return it.fragment().charFormat();
            }
        }
        ADD_FAILURE() << "no run holds " << needle.toStdString();
        return {};
    }

    QTextBlockFormat BlockOf(const QString& needle) const
    {
        for (QTextBlock b = doc_.begin(); b.isValid(); b = b.next()) {
            if (b.text().contains(needle))
                return b.blockFormat();
        }
        ADD_FAILURE() << "no block holds " << needle.toStdString();
        return {};
    }

    QTextDocument doc_;
};

using RtfDetection = RtfTest;
using RtfStructure = RtfTest;
using RtfCharacterFormat = RtfTest;
using RtfParagraphFormat = RtfTest;
using RtfEncoding = RtfTest;
using RtfDestinations = RtfTest;
using RtfMalformedInput = RtfTest;

bool IsBold(const QTextCharFormat& f)
{
    return f.fontWeight() >= QFont::Bold;
}

} // namespace

TEST_F(RtfDetection, NonRtfBytesAreShownAsPlainTextInTheDefaultCodePage)
{
    const QByteArray big5("Hello\n\xa4\xa4\xa4\xe5");
    EXPECT_FALSE(ReadRtf(big5, doc_));
    EXPECT_EQ(doc_.toPlainText(), CodePage(950).DecodeFile(big5));
    EXPECT_EQ(doc_.toPlainText(), QString::fromUtf8("Hello\n中文"));
    EXPECT_FALSE(ReadRtf("one\r\ntwo", doc_));
    EXPECT_EQ(doc_.blockCount(), 2);

    const QByteArray utf8 = QString::fromUtf8("中文 text").toUtf8();
    EXPECT_FALSE(ReadRtf(utf8, doc_));
    EXPECT_EQ(doc_.toPlainText(), QString::fromUtf8("中文 text"));

    // Almost RTF is still not RTF, and its bytes are shown as they are.
    EXPECT_FALSE(ReadRtf("{\\rtx1 \\b hi}", doc_));
    EXPECT_EQ(doc_.toPlainText(), "{\\rtx1 \\b hi}");
    EXPECT_FALSE(ReadRtf("", doc_));
    EXPECT_TRUE(doc_.isEmpty());
}

TEST_F(RtfDetection, EarlierContentIsClearedOnBothPaths)
{
    doc_.setPlainText("old\nlines");
    Read("{\\rtf1 new}");
    EXPECT_EQ(Text(), "new");
    EXPECT_EQ(doc_.blockCount(), 1);

    doc_.setPlainText("old");
    EXPECT_FALSE(ReadRtf("plain", doc_));
    EXPECT_EQ(doc_.toPlainText(), "plain");
}

TEST_F(RtfStructure, ParagraphsBecomeBlocksAndLineBreaksStayInside)
{
    Read("{\\rtf1 One\\par Two\\par\r\nThree\\line Four\\tab Five}");
    EXPECT_EQ(Blocks(),
              QStringList({"One", "Two", QString("Three") + QChar::LineSeparator + "Four\tFive"}));

    // A backslash before a line end is a paragraph mark too.
    Read("{\\rtf1 A\\\nB\\\r\nC}");
    EXPECT_EQ(Blocks(), QStringList({"A", "B", "C"}));
}

TEST_F(RtfStructure, SourceLineEndsAreIgnoredAndOneDelimiterSpaceIsSwallowed)
{
    Read("{\\rtf1 Hel\r\nlo\rWo\nrld}");
    EXPECT_EQ(Text(), "HelloWorld");

    Read("{\\rtf1 \\b  x\\b0 y\\fs20 z\\i0,w\\unknownword12 v}");
    EXPECT_EQ(Text(), " xyz,wv");
}

TEST_F(RtfStructure, EscapedSymbolsAreLiteralText)
{
    Read("{\\rtf1 a\\\\b\\{c\\}d\\~e\\_f}");
    EXPECT_EQ(Text(), QString("a\\b{c}d") + QChar(0x00A0) + "e" + QChar(0x2011) + "f");
}

TEST_F(RtfStructure, TextAfterTheDocumentGroupIsIgnored)
{
    Read("{\\rtf1 inside}outside{more}");
    EXPECT_EQ(Text(), "inside");
}

TEST_F(RtfCharacterFormat, BoldItalicAndUnderlineRunsCarryTheirFormat)
{
    Read("{\\rtf1 n \\b b\\b0  \\i i\\i0  \\ul u\\ulnone  \\ul v\\ul0  w \\uldb x\\ul0 "
         "\\b1 y\\b0}");
    const QTextCharFormat n = FormatOf("n");
    EXPECT_FALSE(IsBold(n));
    EXPECT_FALSE(n.fontItalic());
    EXPECT_FALSE(n.fontUnderline());
    EXPECT_TRUE(IsBold(FormatOf("b")));
    EXPECT_FALSE(FormatOf("b").fontItalic());
    EXPECT_TRUE(FormatOf("i").fontItalic());
    EXPECT_FALSE(IsBold(FormatOf("i")));
    EXPECT_TRUE(FormatOf("u").fontUnderline());
    EXPECT_TRUE(FormatOf("v").fontUnderline());
    EXPECT_FALSE(FormatOf("w").fontUnderline());
    EXPECT_TRUE(FormatOf("x").fontUnderline());
    EXPECT_TRUE(IsBold(FormatOf("y")));
}

TEST_F(RtfCharacterFormat, GroupsRestoreTheEnclosingFormat)
{
    Read("{\\rtf1 a{\\b b{\\i c}d}e}");
    EXPECT_FALSE(IsBold(FormatOf("a")));
    EXPECT_TRUE(IsBold(FormatOf("c")));
    EXPECT_TRUE(FormatOf("c").fontItalic());
    EXPECT_TRUE(IsBold(FormatOf("d")));
    EXPECT_FALSE(FormatOf("d").fontItalic());
    EXPECT_FALSE(IsBold(FormatOf("e")));
    EXPECT_EQ(Text(), "abcde");
}

TEST_F(RtfCharacterFormat, FontSizeIsInHalfPointsAndPlainResetsEverything)
{
    Read("{\\rtf1 \\fs20 ten \\fs15 small \\b\\i\\ul\\strike\\super\\fs40 big\\plain  plain}");
    EXPECT_DOUBLE_EQ(FormatOf("ten").fontPointSize(), 10.0);
    EXPECT_DOUBLE_EQ(FormatOf("small").fontPointSize(), 7.5);
    const QTextCharFormat big = FormatOf("big");
    EXPECT_DOUBLE_EQ(big.fontPointSize(), 20.0);
    EXPECT_TRUE(big.fontStrikeOut());
    EXPECT_EQ(big.verticalAlignment(), QTextCharFormat::AlignSuperScript);
    const QTextCharFormat plain = FormatOf("plain");
    EXPECT_FALSE(IsBold(plain));
    EXPECT_FALSE(plain.fontItalic());
    EXPECT_FALSE(plain.fontUnderline());
    EXPECT_FALSE(plain.fontStrikeOut());
    EXPECT_EQ(plain.verticalAlignment(), QTextCharFormat::AlignNormal);
    EXPECT_FALSE(plain.hasProperty(QTextFormat::FontPointSize));
}

TEST_F(RtfCharacterFormat, ColourIndexesTheColourTable)
{
    Read("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue255;}"
         "\\cf1 red \\cf2 blue \\cf0 auto \\cf9 missing \\cf1 again\\plain  none}");
    EXPECT_EQ(FormatOf("red").foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(FormatOf("blue").foreground().color(), QColor(0, 128, 255));
    EXPECT_FALSE(FormatOf("auto").hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_FALSE(FormatOf("missing").hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_EQ(FormatOf("again").foreground().color(), QColor(255, 0, 0));
    EXPECT_FALSE(FormatOf("none").hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_EQ(Text(), "red blue auto missing again none");
}

TEST_F(RtfParagraphFormat, AlignmentHoldsUntilPardAndAppliesToTheWholeParagraph)
{
    Read("{\\rtf1 \\qc A\\par B\\par\\pard C\\par\\qr D\\par\\ql E\\par\\qj F}");
    EXPECT_EQ(BlockOf("A").alignment(), Qt::AlignHCenter);
    EXPECT_EQ(BlockOf("B").alignment(), Qt::AlignHCenter);
    EXPECT_EQ(BlockOf("C").alignment(), Qt::AlignLeft);
    EXPECT_EQ(BlockOf("D").alignment(), Qt::AlignRight);
    EXPECT_EQ(BlockOf("E").alignment(), Qt::AlignLeft);
    EXPECT_EQ(BlockOf("F").alignment(), Qt::AlignJustify);

    // Set after the text, it still counts for the paragraph it ends.
    Read("{\\rtf1 G\\qr\\par H}");
    EXPECT_EQ(BlockOf("G").alignment(), Qt::AlignRight);
}

TEST_F(RtfParagraphFormat, IndentsAreConvertedFromTwips)
{
    Read("{\\rtf1 \\li720\\fi-360\\sa150 Item\\par\\pard Next}");
    EXPECT_DOUBLE_EQ(BlockOf("Item").leftMargin(), 48.0);
    EXPECT_DOUBLE_EQ(BlockOf("Item").textIndent(), -24.0);
    EXPECT_DOUBLE_EQ(BlockOf("Item").bottomMargin(), 10.0);
    EXPECT_DOUBLE_EQ(BlockOf("Next").leftMargin(), 0.0);
    EXPECT_DOUBLE_EQ(BlockOf("Next").textIndent(), 0.0);
}

TEST_F(RtfEncoding, HexEscapesAreDecodedTogetherInTheDocumentCodePage)
{
    Read("{\\rtf1\\ansi\\ansicpg950 \\'a4\\'a4\\'a4\\'e5}");
    EXPECT_EQ(Text(), QString::fromUtf8("中文"));

    // Without \ansicpg the default is 950; an unrelated word between the bytes is harmless.
    Read("{\\rtf1 \\'a4\\lang1028\\'a4\\'a4\\'e5}");
    EXPECT_EQ(Text(), QString::fromUtf8("中文"));

    // A trail byte may be written as an escaped backslash or as a plain character.
    Read("{\\rtf1 \\'b3\\\\\\'b3\\'5c\\'a4@}");
    EXPECT_EQ(Text(), CodePage(950).Decode("\xb3\x5c\xb3\x5c\xa4@"));
    EXPECT_EQ(Text().size(), 3);
}

TEST_F(RtfEncoding, AnsiCodePageAndFontCharsetChooseTheDecoding)
{
    Read("{\\rtf1\\ansi\\ansicpg1252 caf\\'e9}");
    EXPECT_EQ(Text(), QString::fromUtf8("café"));
    Read("{\\rtf1\\ansi\\ansicpg1251 \\'c4\\'e0}");
    EXPECT_EQ(Text(), QString::fromUtf8("Да"));

    Read("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
         "{\\f1\\fnil\\fcharset136 \\'b7\\'73\\'b2\\'d3\\'a9\\'fa\\'c5\\'e9;}}"
         "caf\\'e9 \\f1\\'a4\\'a4\\f0  \\'e9}");
    EXPECT_EQ(Text(), QString::fromUtf8("café 中 é"));

    // A code page the system does not know falls back to the default one.
    Read("{\\rtf1\\ansi\\ansicpg98765 \\'a4\\'a4}");
    EXPECT_EQ(Text(), QString::fromUtf8("中"));
}

TEST_F(RtfEncoding, SymbolFontBulletsBecomeBulletCharacters)
{
    Read("{\\rtf1{\\fonttbl{\\f0 Body;}{\\f2\\fcharset2 Symbol;}}"
         "{\\pntext\\f2\\'b7\\tab}Item\\par{\\listtext\\f2\\u-3913 ?\\tab}Next}");
    EXPECT_EQ(Blocks(), QStringList({QString::fromUtf8("•\tItem"), QString::fromUtf8("•\tNext")}));
}

TEST_F(RtfEncoding, UnicodeEscapesSkipTheirReplacementCharacters)
{
    Read("{\\rtf1 \\u20013?\\u25991?}");
    EXPECT_EQ(Text(), QString::fromUtf8("中文"));

    Read("{\\rtf1\\uc2 \\u20013\\'a4\\'a4 x\\uc0 \\u25991 y}");
    EXPECT_EQ(Text(), QString::fromUtf8("中 x文y"));

    // \uc is scoped to its group; a group end stops the skipping.
    Read("{\\rtf1 {\\uc2 a}\\u20013??{\\uc3\\u25991?}z}");
    EXPECT_EQ(Text(), QString::fromUtf8("a中?文z"));

    // Negative values are the upper half; pairs of them form one character.
    Read("{\\rtf1 \\u-255?\\u-10179?\\u-8704?}");
    EXPECT_EQ(Text(), QString::fromUtf8("！😀"));
}

TEST_F(RtfDestinations, TablesAndMetadataAreNotShown)
{
    Read("{\\rtf1\\ansi\\ansicpg950\\deff0\\nouicompat\\deflang1033\\deflangfe1028"
         "{\\fonttbl{\\f0\\fnil\\fcharset136 \\'b7\\'73\\'b2\\'d3\\'a9\\'fa\\'c5\\'e9;}"
         "{\\f1\\fnil Calibri;}}\r\n"
         "{\\colortbl ;\\red0\\green0\\blue255;}\r\n"
         "{\\stylesheet{\\s0 Normal;}{\\s1\\b heading 1;}}\r\n"
         "{\\info{\\title Title}{\\author Someone}{\\creatim\\yr2001\\mo1\\dy1}}\r\n"
         "{\\*\\generator Some Writer 1.0;}\\viewkind4\\uc1 \r\n"
         "\\pard\\sa200\\sl276\\slmult1\\f0\\fs22\\lang1028 Body \\'a4\\'a4\\par\r\n"
         "}\r\n");
    EXPECT_EQ(Blocks(), QStringList({QString::fromUtf8("Body 中"), ""}));
}

TEST_F(RtfDestinations, IgnorableAndKnownDestinationsAreSkippedWhole)
{
    Read("{\\rtf1 a{\\*\\unknown hidden {nested \\b x} \\'a4\\'a4 \\u20013?}b"
         "{\\header Head}{\\footer Foot}{\\footnote Note}c"
         "{\\pict\\pngblip 89504e470d0a}d{\\*\\shppict{\\pict 00ff}}e}");
    EXPECT_EQ(Text(), "abcde");
    EXPECT_FALSE(IsBold(FormatOf("e")));
}

TEST_F(RtfDestinations, BinaryDataIsSkippedByLength)
{
    Read("{\\rtf1 {\\pict\\bin6 }}\\{{x}After}");
    EXPECT_EQ(Text(), "After");
}

TEST_F(RtfDestinations, FieldsShowOnlyTheirResult)
{
    Read("{\\rtf1 See {\\field{\\*\\fldinst{HYPERLINK \"http://example.com/\"}}"
         "{\\fldrslt{\\ul link}}} now}");
    EXPECT_EQ(Text(), "See link now");
    EXPECT_TRUE(FormatOf("link").fontUnderline());
}

TEST_F(RtfMalformedInput, UnbalancedAndTruncatedInputKeepsWhatWasRead)
{
    Read("{\\rtf1 {\\b open");
    EXPECT_EQ(Text(), "open");
    EXPECT_TRUE(IsBold(FormatOf("open")));

    Read("{\\rtf1 x}}}}{ y");
    EXPECT_EQ(Text(), "x");

    for (const char* tail : {"\\", "\\'", "\\'4", "\\'a4", "\\u", "\\u-", "\\b", "\\fs", "{\\*"}) {
        Read(QByteArray("{\\rtf1 a") + tail);
        EXPECT_TRUE(Text().startsWith("a")) << tail;
        EXPECT_LE(Text().size(), 2) << tail;
    }
    Read("{\\rtf1 a\\u20013");
    EXPECT_EQ(Text(), QString::fromUtf8("a中"));
    Read("{\\rtf1 a\\'zz}");
    EXPECT_EQ(Text(), "azz");
}

TEST_F(RtfMalformedInput, HugeNumbersAreClampedOrIgnored)
{
    Read("{\\rtf1 \\fs999999999999999999 a\\u999999999999 ?b{\\uc99999999999\\u20013 skipped}"
         "c\\li-99999999999\\ri99999999999\\cf99999999999 d\\u-99999999999 ?e"
         "\\bin99999999999 lost}");
    EXPECT_EQ(Text(), QString::fromUtf8("ab中cde"));
    EXPECT_FALSE(FormatOf("a").hasProperty(QTextFormat::FontPointSize));
}

TEST_F(RtfMalformedInput, DeepNestingIsCountedBeyondTheStateLimit)
{
    const int depth = 100000;
    Read(QByteArray("{\\rtf1 ") + QByteArray(depth, '{') + "\\b deep" + QByteArray(depth, '}') +
         "after}tail");
    EXPECT_EQ(Text(), "deepafter");
    EXPECT_TRUE(IsBold(FormatOf("deep")));
    EXPECT_FALSE(IsBold(FormatOf("after")));

    Read(QByteArray("{\\rtf1 open") + QByteArray(depth, '{'));
    EXPECT_EQ(Text(), "open");
}

TEST_F(RtfMalformedInput, RandomGarbageNeverBreaksTheReader)
{
    // Mostly RTF syntax, with more opening than closing braces so that the garbage is not
    // cut short by the document's end.
    const QByteArray alphabet("{{{}\\\\\\''*-0123456789abcdefilnpqrstu ;?\r\n\xa4\xff");
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> pick(0, 9);
    std::uniform_int_distribution<int> fromAlphabet(0, static_cast<int>(alphabet.size()) - 1);
    std::uniform_int_distribution<int> anyByte(0, 255);
    for (int round = 0; round < 300; ++round) {
        QByteArray rtf("{\\rtf1 Intro\\par ");
        for (int i = 0; i < 3000; ++i) {
            rtf.append(pick(random) == 0 ? static_cast<char>(anyByte(random))
                                         : alphabet[fromAlphabet(random)]);
        }
        Read(rtf);
        ASSERT_GE(doc_.blockCount(), 2) << "round " << round;
        ASSERT_EQ(doc_.begin().text(), "Intro") << "round " << round;
    }
}
