#include "app/RtfReader.h"
#include "fakes/QtPrinters.h"

#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>

using namespace tolvane;

namespace {

// A run's format: b bold, i italic, u underline, s struck out, ^ superscript, _ subscript,
// then the point size and the colour when they are set.
QString Tag(const QTextCharFormat& f)
{
    const auto v = f.verticalAlignment();
    QString t = QString(f.fontWeight() >= QFont::Bold ? "b" : "") + (f.fontItalic() ? "i" : "") +
                (f.fontUnderline() ? "u" : "") + (f.fontStrikeOut() ? "s" : "") +
                (v == QTextCharFormat::AlignSuperScript ? "^"
                 : v == QTextCharFormat::AlignSubScript ? "_"
                                                        : "");
    if (f.hasProperty(QTextFormat::FontPointSize))
        t += QString(" %1pt").arg(f.fontPointSize());
    if (f.hasProperty(QTextFormat::ForegroundBrush))
        t += " " + f.foreground().color().name();
    return t.trimmed();
}

// A paragraph's alignment when not left, then its indents in pixels when set.
QString Layout(const QTextBlockFormat& p)
{
    const QHash<int, QString> aligns = {
        {Qt::AlignHCenter, "center"}, {Qt::AlignRight, "right"}, {Qt::AlignJustify, "justify"}};
    QStringList t;
    if (p.alignment() != Qt::AlignLeft)
        t << aligns.value(p.alignment(), "?");
    for (auto [name, value] : {std::pair<QString, double>("left", p.leftMargin()),
                               {"indent", p.textIndent()},
                               {"after", p.bottomMargin()}})
        if (value != 0)
            t << name + QString::number(value);
    return t.isEmpty() ? "" : "<" + t.join(' ') + ">";
}

class RtfReader : public testing::Test
{
protected:
    // One line a paragraph, its layout before it, each formatted run as "[text|tag]".
    QString Markup() const
    {
        QStringList blocks;
        for (QTextBlock b = doc_.begin(); b.isValid(); b = b.next()) {
            QString text = Layout(b.blockFormat()), tag;
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                if (const QString t = Tag(it.fragment().charFormat()); t != tag) {
                    text += (tag.isEmpty() ? "" : "|" + tag + "]") + (t.isEmpty() ? "" : "[");
                    tag = t;
                }
                text += it.fragment().text();
            }
            blocks << text + (tag.isEmpty() ? "" : "|" + tag + "]");
        }
        return blocks.join('\n');
    }

    // Each document replaces what an earlier one left.
    void Check(std::initializer_list<std::pair<QByteArray, QString>> rows, bool rtf = true)
    {
        for (const auto& [input, markup] : rows) {
            SCOPED_TRACE(input.left(100).toStdString());
            doc_.setPlainText("stale\ntext");
            EXPECT_EQ(ReadRtf(input, doc_), rtf);
            EXPECT_EQ(Markup(), markup);
        }
    }

    QTextDocument doc_;
};

} // namespace

TEST_F(RtfReader, NonRtfBytesAreShownAsPlainTextInTheDefaultCodePage)
{
    Check({{"Hello\n\xa4\xa4\xa4\xe5", "Hello\n中文"},
           {"one\r\ntwo", "one\ntwo"},
           {"中文 text", "中文 text"},
           // Almost RTF is still not RTF, and its bytes are shown as they are.
           {"{\\rtx1 \\b hi}", "{\\rtx1 \\b hi}"},
           {"", ""}},
          false);
}

TEST_F(RtfReader, ParagraphsLineEndsAndEscapes)
{
    Check({{"{\\rtf1 One\\par Two\\par\r\nThree\\line Four\\tab Five}",
            "One\nTwo\nThree\u2028Four\tFive"},
           // A backslash before a line end is a paragraph mark too.
           {"{\\rtf1 A\\\nB\\\r\nC}", "A\nB\nC"},
           // Source line ends are ignored; one space after a control word is swallowed.
           {"{\\rtf1 Hel\r\nlo\rWo\nrld}", "HelloWorld"},
           {"{\\rtf1 \\b  x\\b0 y\\fs20 z\\i0,w\\unknownword12 v}", "[ x|b]y[z,wv|10pt]"},
           {"{\\rtf1 a\\\\b\\{c\\}d\\~e\\_f}", "a\\b{c}d\u00a0e\u2011f"},
           {"{\\rtf1 inside}outside{more}", "inside"}});
}

TEST_F(RtfReader, FormatsHoldUntilResetGroupEndOrPard)
{
    Check({{"{\\rtf1 n \\b b\\b0  \\i i\\i0  \\ul u\\ulnone  \\ul v\\ul0  w \\uldb x\\ul0 "
            "\\b1 y\\b0}",
            "n [b|b] [i|i] [u|u] [v|u] w [x|u][y|b]"},
           {"{\\rtf1 a{\\b b{\\i c}d}e}", "a[b|b][c|bi][d|b]e"},
           // Sizes are in half points; \plain resets everything.
           {"{\\rtf1 \\fs20 ten \\fs15 small \\b\\i\\ul\\strike\\super\\fs40 big\\plain  plain}",
            "[ten |10pt][small |7.5pt][big|bius^ 20pt] plain"},
           // Colours index the colour table; 0 and missing entries are the automatic colour.
           {"{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue255;}"
            "\\cf1 red \\cf2 blue \\cf0 auto \\cf9 missing \\cf1 again\\plain  none}",
            "[red |#ff0000][blue |#0080ff]auto missing [again|#ff0000] none"},
           // Paragraph format holds until \pard and covers the whole paragraph.
           {"{\\rtf1 \\qc A\\par B\\par\\pard C\\par\\qr D\\par\\ql E\\par\\qj F}",
            "<center>A\n<center>B\nC\n<right>D\nE\n<justify>F"},
           {"{\\rtf1 G\\qr\\par H}", "<right>G\n<right>H"},
           // Indents are in twips.
           {"{\\rtf1 \\li720\\fi-360\\sa150 Item\\par\\pard Next}",
            "<left48 indent-24 after10>Item\nNext"}});
}

TEST_F(RtfReader, EscapesAreDecodedInTheDocumentCodePage)
{
    // Without \ansicpg the code page is 950; a word between the bytes is harmless.
    Check({{"{\\rtf1 \\'a4\\lang1028\\'a4\\'a4\\'e5}", "中文"},
           // A trail byte may be an escaped backslash or a plain character.
           {"{\\rtf1 \\'b3\\\\\\'b3\\'5c\\'a4@}", "許許一"},
           {"{\\rtf1\\ansi\\ansicpg1252 caf\\'e9}", "café"},
           {"{\\rtf1\\ansi\\ansicpg1251 \\'c4\\'e0}", "Да"},
           {"{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
            "{\\f1\\fnil\\fcharset136 \\'b7\\'73\\'b2\\'d3\\'a9\\'fa\\'c5\\'e9;}}"
            "caf\\'e9 \\f1\\'a4\\'a4\\f0  \\'e9}",
            "café 中 é"},
           // A code page the system does not know falls back to the default one.
           {"{\\rtf1\\ansi\\ansicpg98765 \\'a4\\'a4}", "中"},
           {"{\\rtf1{\\fonttbl{\\f0 Body;}{\\f2\\fcharset2 Symbol;}}"
            "{\\pntext\\f2\\'b7\\tab}Item\\par{\\listtext\\f2\\u-3913 ?\\tab}Next}",
            "•\tItem\n•\tNext"},
           // Unicode escapes skip \uc replacement characters; one where no \uc is in force.
           {"{\\rtf1\\uc2 \\u20013\\'a4\\'a4 x\\uc0 \\u25991 y}", "中 x文y"},
           // \uc is scoped to its group; a group end stops the skipping.
           {"{\\rtf1 {\\uc2 a}\\u20013??{\\uc3\\u25991?}z}", "a中?文z"},
           // Negative values are the upper half; pairs of them form one character.
           {"{\\rtf1 \\u-255?\\u-10179?\\u-8704?}", "！😀"}});
}

TEST_F(RtfReader, DestinationsAreNotShownAndFieldsOnlyShowTheirResult)
{
    Check({{"{\\rtf1\\ansi\\ansicpg950\\deff0\\nouicompat\\deflang1033\\deflangfe1028"
            "{\\fonttbl{\\f0\\fnil\\fcharset136 \\'b7\\'73\\'b2\\'d3\\'a9\\'fa\\'c5\\'e9;}"
            "{\\f1\\fnil Calibri;}}\r\n{\\colortbl ;\\red0\\green0\\blue255;}\r\n"
            "{\\stylesheet{\\s0 Normal;}{\\s1\\b heading 1;}}\r\n"
            "{\\info{\\title Title}{\\author Someone}{\\creatim\\yr2001\\mo1\\dy1}}\r\n"
            "{\\*\\generator Some Writer 1.0;}\\viewkind4\\uc1 \r\n"
            "\\pard\\sa200\\sl276\\slmult1\\f0\\fs22\\lang1028 Body \\'a4\\'a4\\par\r\n}\r\n",
            "<after13.3333>[Body 中|11pt]\n<after13.3333>"},
           {"{\\rtf1 a{\\*\\unknown hidden {nested \\b x} \\'a4\\'a4 \\u20013?}b"
            "{\\header Head}{\\footer Foot}{\\footnote Note}c"
            "{\\pict\\pngblip 89504e470d0a}d{\\*\\shppict{\\pict 00ff}}e}",
            "abcde"},
           // Binary data is skipped by its length.
           {"{\\rtf1 {\\pict\\bin6 }}\\{{x}After}", "After"},
           {"{\\rtf1 See {\\field{\\*\\fldinst{HYPERLINK \"http://example.com/\"}}"
            "{\\fldrslt{\\ul link}}} now}",
            "See [link|u] now"}});
}

TEST_F(RtfReader, MalformedInputKeepsWhatWasRead)
{
    const int depth = 100000;
    Check({{"{\\rtf1 {\\b open", "[open|b]"},
           {"{\\rtf1 x}}}}{ y", "x"},
           {"{\\rtf1 a\\u20013", "a中"},
           {"{\\rtf1 a\\'zz}", "azz"},
           // Huge numbers are ignored.
           {"{\\rtf1 \\fs999999999999999999 a\\u999999999999 ?b{\\uc99999999999\\u20013 skipped}"
            "c\\li-99999999999\\ri99999999999\\cf99999999999 d\\u-99999999999 ?e\\bin99999999999 "
            "lost}",
            "ab中cde"},
           // Nesting deeper than the reader keeps states for is still counted.
           {QByteArray("{\\rtf1 ") + QByteArray(depth, '{') + "\\b deep" + QByteArray(depth, '}') +
                "after}tail",
            "[deep|b]after"},
           {QByteArray("{\\rtf1 open") + QByteArray(depth, '{'), "open"}});
    for (const char* tail : {"\\", "\\'", "\\'4", "\\'a4", "\\u", "\\u-", "\\b", "\\fs", "{\\*"}) {
        ASSERT_TRUE(ReadRtf(QByteArray("{\\rtf1 a") + tail, doc_));
        const QString text = doc_.toPlainText();
        EXPECT_TRUE(text.startsWith("a") && text.size() <= 2) << tail << ": " << text.toStdString();
    }
}
