#include "app/RtfReader.h"

#include "platform/CodePage.h"

#include <QColor>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <map>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

namespace tolvane {

namespace {

constexpr int kDefaultCodePage = 950;
// Marks a symbol-charset font, whose bytes are glyph numbers rather than code-page text.
constexpr int kSymbolCodePage = -1;
// Deeper groups are only counted, so garbage full of "{" cannot exhaust memory.
constexpr std::size_t kMaxDepth = 4096;
// Parameters are clamped here so arithmetic on them cannot overflow.
constexpr long long kMaxParam = 1'000'000'000;

enum class Dest { Normal, Skip, FontTable, ColorTable };

struct State
{
    Dest dest = Dest::Normal;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int vertical = 0;   // 1 superscript, -1 subscript
    int fontSize = 0;   // half-points; 0 leaves the widget's size
    int color = -1;     // colour table index; -1 leaves the widget's colour
    int font = -1;      // -1 is the document's default font
    int skipCount = 1;  // replacement characters after \u
    int align = 0;      // 0 left, 1 centre, 2 right, 3 justified
    int leftIndent = 0; // twips
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;

    bool operator==(const State&) const = default;
};

struct Font
{
    int charset = -1;
    int codePage = 0;
};

// Destinations whose text is never shown.
const std::unordered_set<std::string_view>& SkippedDestinations()
{
    static const std::unordered_set<std::string_view> words = {
        "stylesheet", "info",         "pict",     "header",      "headerl",   "headerr",
        "headerf",    "footer",       "footerl",  "footerr",     "footerf",   "footnote",
        "fldinst",    "object",       "objdata",  "objclass",    "listtable", "listoverridetable",
        "revtbl",     "rsidtbl",      "filetbl",  "generator",   "themedata", "colorschememapping",
        "datastore",  "latentstyles", "xmlnstbl", "pgdsctbl",    "private",   "bkmkstart",
        "bkmkend",    "annotation",   "atnid",    "atnauthor",   "atrfstart", "atrfend",
        "txe",        "xe",           "tc",       "tcn",         "template",  "nonshppict",
        "shpinst",    "userprops",    "docvar",   "pn",          "pntxta",    "pntxtb",
        "ftnsep",     "ftnsepc",      "aftnsep",  "aftnsepc",    "ftncn",     "aftncn",
        "comment",    "author",       "operator", "title",       "subject",   "keywords",
        "doccomm",    "creatim",      "revtim",   "printim",     "buptim",    "mmathPr",
        "panose",     "falt",         "fname",    "listpicture", "blipuid",   "wgrffmtfilter"};
    return words;
}

// Control words that stand for one character.
char16_t TextWord(std::string_view word)
{
    static const std::map<std::string_view, char16_t> words = {
        {"tab", u'\t'},           {"cell", u'\t'},          {"nestcell", u'\t'},
        {"line", u'\u2028'},      {"emdash", u'\u2014'},    {"endash", u'\u2013'},
        {"bullet", u'\u2022'},    {"lquote", u'\u2018'},    {"rquote", u'\u2019'},
        {"ldblquote", u'\u201C'}, {"rdblquote", u'\u201D'}, {"emspace", u'\u2003'},
        {"enspace", u'\u2002'},   {"qmspace", u'\u2005'},   {"zwj", u'\u200D'},
        {"zwnj", u'\u200C'},      {"zwbo", u'\u200B'},      {"ltrmark", u'\u200E'},
        {"rtlmark", u'\u200F'}};
    auto it = words.find(word);
    return it == words.end() ? 0 : it->second;
}

int CharsetCodePage(int charset)
{
    switch (charset) {
    case 2:
        return kSymbolCodePage;
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 130:
        return 1361;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 255:
        return 437;
    default:
        return 0; // ANSI or default: the document's code page
    }
}

// Common bullet glyphs of the symbol fonts; other bytes are kept as Latin-1.
QChar SymbolChar(int byte)
{
    switch (byte) {
    case 0xA7:
        return QChar(0x25AA);
    case 0xB7:
        return QChar(0x2022);
    case 0xD8:
        return QChar(0x27A2);
    case 0xFC:
        return QChar(0x2713);
    default:
        return QChar(byte);
    }
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int HexValue(char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Unpaired surrogates would make the layout misbehave; they become U+FFFD.
QString RepairSurrogates(QString text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
        } else if (c.isSurrogate()) {
            text[i] = QChar::ReplacementCharacter;
        }
    }
    return text;
}

class Reader
{
public:
    Reader(const QByteArray& in, QTextDocument& doc) : in_(in), cursor_(&doc) {}

    void Run()
    {
        cursor_.beginEditBlock();
        while (pos_ < in_.size()) {
            const char c = in_[pos_++];
            if (c == '{') {
                OpenGroup();
            } else if (c == '}') {
                if (CloseGroup())
                    break;
            } else if (c == '\\') {
                Control();
            } else if (c != '\r' && c != '\n') {
                TextByte(static_cast<unsigned char>(c));
            }
        }
        FlushText();
        cursor_.endEditBlock();
    }

private:
    void OpenGroup()
    {
        skipLeft_ = 0;
        if (stack_.size() >= kMaxDepth)
            ++overflow_;
        else
            stack_.push_back(state_);
    }

    // True when the document's outermost group has closed.
    bool CloseGroup()
    {
        skipLeft_ = 0;
        if (overflow_ > 0) {
            --overflow_;
            return false;
        }
        if (stack_.empty())
            return true;
        SetState(stack_.back());
        stack_.pop_back();
        return stack_.empty();
    }

    // Pending text belongs to the old formatting, so it is written out first.
    void SetState(const State& next)
    {
        if (next == state_)
            return;
        FlushText();
        state_ = next;
    }

    void Control()
    {
        if (pos_ >= in_.size())
            return;
        const char c = in_[pos_];
        if (IsLetter(c)) {
            Word();
            return;
        }
        ++pos_;
        switch (c) {
        case '\'':
            HexEscape();
            break;
        case '\\':
        case '{':
        case '}':
            TextByte(static_cast<unsigned char>(c));
            break;
        case '~':
            AppendChar(QChar(0x00A0));
            break;
        case '_':
            AppendChar(QChar(0x2011));
            break;
        case '-':
            AppendChar(QChar(0x00AD));
            break;
        case '*': {
            skipLeft_ = 0;
            State next = state_;
            next.dest = Dest::Skip;
            SetState(next);
            break;
        }
        case '\r':
        case '\n':
            skipLeft_ = 0;
            if (state_.dest == Dest::Normal)
                Paragraph();
            break;
        default:
            break;
        }
    }

    void HexEscape()
    {
        int value = 0;
        int digits = 0;
        while (digits < 2 && pos_ < in_.size()) {
            const int v = HexValue(in_[pos_]);
            if (v < 0)
                break;
            value = value * 16 + v;
            ++digits;
            ++pos_;
        }
        if (digits == 2)
            TextByte(value);
    }

    void Word()
    {
        const qsizetype start = pos_;
        while (pos_ < in_.size() && IsLetter(in_[pos_]))
            ++pos_;
        const std::string_view word(in_.constData() + start,
                                    static_cast<std::size_t>(pos_ - start));

        bool negative = false;
        if (pos_ + 1 < in_.size() && in_[pos_] == '-' && IsDigit(in_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        bool hasParam = false;
        long long value = 0;
        while (pos_ < in_.size() && IsDigit(in_[pos_])) {
            hasParam = true;
            if (value < kMaxParam)
                value = value * 10 + (in_[pos_] - '0');
            ++pos_;
        }
        value = std::min(value, kMaxParam);
        if (pos_ < in_.size() && in_[pos_] == ' ')
            ++pos_;
        const int param = static_cast<int>(negative ? -value : value);

        if (const char16_t ch = TextWord(word)) {
            AppendChar(QChar(ch));
            return;
        }
        if (word == "u") {
            Unicode(param);
            return;
        }
        skipLeft_ = 0;
        if (word == "bin") {
            // Raw data follows; it must not be read as text or structure.
            if (hasParam && param > 0)
                pos_ += std::min<qsizetype>(param, in_.size() - pos_);
            return;
        }
        switch (state_.dest) {
        case Dest::Skip:
            return;
        case Dest::FontTable:
            FontTableWord(word, hasParam, param);
            return;
        case Dest::ColorTable:
            ColorTableWord(word, param);
            return;
        case Dest::Normal:
            break;
        }
        State next = state_;
        BodyWord(word, hasParam, param, next);
        SetState(next);
    }

    void FontTableWord(std::string_view word, bool hasParam, int param)
    {
        if (word == "f" && hasParam)
            tableFont_ = param;
        else if (word == "fcharset")
            fonts_[tableFont_].charset = param;
        else if (word == "cpg")
            fonts_[tableFont_].codePage = param;
    }

    void ColorTableWord(std::string_view word, int param)
    {
        const int v = std::clamp(param, 0, 255);
        if (word == "red")
            red_ = v;
        else if (word == "green")
            green_ = v;
        else if (word == "blue")
            blue_ = v;
        else
            return;
        colorGiven_ = true;
    }

    // Applies a word of the document body to `next`, the state after it.
    void BodyWord(std::string_view word, bool hasParam, int param, State& next)
    {
        const bool on = !hasParam || param != 0;
        const int twips = std::clamp(param, -31680, 31680);
        if (word == "par" || word == "sect" || word == "page" || word == "row") {
            Paragraph();
        } else if (word == "b") {
            next.bold = on;
        } else if (word == "i") {
            next.italic = on;
        } else if (word == "ulnone") {
            next.underline = false;
        } else if (word.starts_with("ul") && word != "ulc") {
            next.underline = on; // \ul, \uld, \uldb, \ulw, ...
        } else if (word == "strike" || word == "striked") {
            next.strike = on;
        } else if (word == "super") {
            next.vertical = 1;
        } else if (word == "sub") {
            next.vertical = -1;
        } else if (word == "nosupersub") {
            next.vertical = 0;
        } else if (word == "fs") {
            // RTF's own default is 12 points.
            const int size = hasParam ? param : 24;
            if (size >= 2 && size <= 3276)
                next.fontSize = size;
        } else if (word == "cf") {
            next.color = std::max(param, 0);
        } else if (word == "f") {
            next.font = param;
        } else if (word == "plain") {
            const State fresh;
            next.bold = fresh.bold;
            next.italic = fresh.italic;
            next.underline = fresh.underline;
            next.strike = fresh.strike;
            next.vertical = fresh.vertical;
            next.fontSize = fresh.fontSize;
            next.color = fresh.color;
            next.font = fresh.font;
        } else if (word == "pard") {
            const State fresh;
            next.align = fresh.align;
            next.leftIndent = fresh.leftIndent;
            next.rightIndent = fresh.rightIndent;
            next.firstIndent = fresh.firstIndent;
            next.spaceBefore = fresh.spaceBefore;
            next.spaceAfter = fresh.spaceAfter;
        } else if (word == "ql") {
            next.align = 0;
        } else if (word == "qc") {
            next.align = 1;
        } else if (word == "qr") {
            next.align = 2;
        } else if (word == "qj") {
            next.align = 3;
        } else if (word == "li" || word == "lin") {
            next.leftIndent = twips;
        } else if (word == "ri" || word == "rin") {
            next.rightIndent = twips;
        } else if (word == "fi") {
            next.firstIndent = twips;
        } else if (word == "sb") {
            next.spaceBefore = twips;
        } else if (word == "sa") {
            next.spaceAfter = twips;
        } else if (word == "uc") {
            next.skipCount = hasParam ? std::max(param, 0) : 1;
        } else if (word == "deff") {
            defaultFont_ = param;
        } else if (word == "ansicpg") {
            SetDocumentCodePage(param);
        } else if (word == "mac") {
            SetDocumentCodePage(10000);
        } else if (word == "pc") {
            SetDocumentCodePage(437);
        } else if (word == "pca") {
            SetDocumentCodePage(850);
        } else if (word == "fonttbl") {
            next.dest = Dest::FontTable;
        } else if (word == "colortbl") {
            next.dest = Dest::ColorTable;
            FlushText(); // pending text still wants the old colours
            colors_.clear();
            ResetColorParts();
        } else if (SkippedDestinations().contains(word)) {
            next.dest = Dest::Skip;
        }
    }

    void SetDocumentCodePage(int number)
    {
        FlushText();
        if (number > 0)
            codePage_ = number;
    }

    void Unicode(int param)
    {
        int unit = param < 0 ? param + 65536 : param;
        skipLeft_ = 0;
        if (unit > 0 && unit <= 0xFFFF && state_.dest == Dest::Normal) {
            // Symbol fonts are also written as private-use characters.
            if (unit >= 0xF020 && unit <= 0xF0FF && FontCodePage() == kSymbolCodePage)
                unit = SymbolChar(unit - 0xF000).unicode();
            FlushBytes();
            pendingText_.append(QChar(static_cast<char16_t>(unit)));
        }
        skipLeft_ = state_.skipCount;
    }

    // One byte of text in the current code page (literal or from \'xx).
    void TextByte(int byte)
    {
        if (skipLeft_ > 0) {
            --skipLeft_;
            return;
        }
        if (state_.dest == Dest::ColorTable && byte == ';') {
            colors_.push_back(colorGiven_ ? QColor(red_, green_, blue_) : QColor());
            ResetColorParts();
            return;
        }
        if (state_.dest != Dest::Normal)
            return;
        if (byte == '\t') {
            AppendChar(QChar(u'\t'));
            return;
        }
        if (byte < 0x20)
            return;
        pendingBytes_.append(static_cast<char>(byte));
    }

    void AppendChar(QChar c)
    {
        if (skipLeft_ > 0) {
            --skipLeft_;
            return;
        }
        if (state_.dest != Dest::Normal)
            return;
        FlushBytes();
        pendingText_.append(c);
    }

    void Paragraph()
    {
        FlushText();
        cursor_.setBlockFormat(BlockFormat());
        cursor_.insertBlock(BlockFormat(), CharFormat());
    }

    // Bytes are decoded together, as a character of a double-byte code page spans two.
    void FlushBytes()
    {
        if (pendingBytes_.isEmpty())
            return;
        const int number = FontCodePage();
        if (number == kSymbolCodePage) {
            for (const char b : std::as_const(pendingBytes_))
                pendingText_.append(SymbolChar(static_cast<unsigned char>(b)));
        } else {
            pendingText_.append(CodePageFor(number).Decode(pendingBytes_));
        }
        pendingBytes_.clear();
    }

    void FlushText()
    {
        FlushBytes();
        if (pendingText_.isEmpty())
            return;
        cursor_.setBlockFormat(BlockFormat());
        cursor_.insertText(RepairSurrogates(pendingText_), CharFormat());
        pendingText_.clear();
    }

    int FontCodePage() const
    {
        auto it = fonts_.find(state_.font < 0 ? defaultFont_ : state_.font);
        if (it != fonts_.end()) {
            if (it->second.codePage > 0)
                return it->second.codePage;
            if (const int number = CharsetCodePage(it->second.charset))
                return number;
        }
        return codePage_;
    }

    // A code page the system cannot convert falls back to the default one.
    const CodePage& CodePageFor(int number)
    {
        auto it = codePages_.find(number);
        if (it != codePages_.end())
            return it->second;
        CodePage page(number);
        if (page.Decode("A") != QLatin1String("A"))
            page = CodePage(kDefaultCodePage);
        return codePages_.emplace(number, page).first->second;
    }

    QTextCharFormat CharFormat() const
    {
        QTextCharFormat format;
        if (state_.bold)
            format.setFontWeight(QFont::Bold);
        if (state_.italic)
            format.setFontItalic(true);
        if (state_.underline)
            format.setFontUnderline(true);
        if (state_.strike)
            format.setFontStrikeOut(true);
        if (state_.vertical > 0)
            format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        else if (state_.vertical < 0)
            format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        if (state_.fontSize > 0)
            format.setFontPointSize(state_.fontSize / 2.0);
        if (state_.color >= 0 && state_.color < colors_.size() && colors_[state_.color].isValid())
            format.setForeground(colors_[state_.color]);
        return format;
    }

    QTextBlockFormat BlockFormat() const
    {
        // A screen pixel is 15 twips.
        constexpr double kTwipsPerPixel = 15.0;
        static constexpr Qt::Alignment kAlign[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight,
                                                   Qt::AlignJustify};
        QTextBlockFormat format;
        format.setAlignment(kAlign[state_.align]);
        format.setLeftMargin(std::max(state_.leftIndent, 0) / kTwipsPerPixel);
        format.setRightMargin(std::max(state_.rightIndent, 0) / kTwipsPerPixel);
        format.setTextIndent(state_.firstIndent / kTwipsPerPixel);
        format.setTopMargin(std::max(state_.spaceBefore, 0) / kTwipsPerPixel);
        format.setBottomMargin(std::max(state_.spaceAfter, 0) / kTwipsPerPixel);
        return format;
    }

    void ResetColorParts()
    {
        red_ = green_ = blue_ = 0;
        colorGiven_ = false;
    }

    const QByteArray& in_;
    qsizetype pos_ = 0;
    QTextCursor cursor_;
    State state_;
    std::vector<State> stack_;
    std::size_t overflow_ = 0;
    int skipLeft_ = 0;
    QByteArray pendingBytes_;
    QString pendingText_;
    int codePage_ = kDefaultCodePage;
    int defaultFont_ = 0;
    int tableFont_ = 0;
    std::map<int, Font> fonts_;
    std::map<int, CodePage> codePages_;
    QList<QColor> colors_;
    int red_ = 0;
    int green_ = 0;
    int blue_ = 0;
    bool colorGiven_ = false;
};

} // namespace

bool ReadRtf(const QByteArray& rtf, QTextDocument& doc)
{
    const bool undo = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false);
    doc.clear();
    const bool isRtf = rtf.startsWith("{\\rtf");
    if (isRtf)
        Reader(rtf, doc).Run();
    else
        doc.setPlainText(CodePage(kDefaultCodePage).DecodeFile(rtf));
    doc.setUndoRedoEnabled(undo);
    return isRtf;
}

} // namespace tolvane
