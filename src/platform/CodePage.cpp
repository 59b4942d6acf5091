#include "platform/CodePage.h"

#include <algorithm>
#include <memory>
#include <vector>

#include <QHash>
#include <QList>
#include <cerrno>
#include <iconv.h>
#include <mutex>

namespace tolvane {

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

// One iconv conversion of a whole buffer; stops at the first unconvertible byte
// unless a replacement is given.
class Iconv
{
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv()
    {
        if (ok())
            iconv_close(cd_);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts; on an invalid input sequence skips `skip` input bytes and emits
    // `replacement`, or fails when replacement is empty.
    bool Run(const QByteArray& in, QByteArray& out, const QByteArray& replacement, int skip)
    {
        return Run(in.constData(), static_cast<size_t>(in.size()), out, replacement, skip);
    }

    bool Run(const char* in, size_t size, QByteArray& out, const QByteArray& replacement, int skip)
    {
        out.clear();
        if (!ok())
            return false;
        char* src = const_cast<char*>(in);
        size_t srcLeft = size;
        char buffer[4096];
        while (srcLeft > 0) {
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<qsizetype>(dst - buffer));
            if (rc != static_cast<size_t>(-1))
                continue;
            if (errno == E2BIG)
                continue;
            if (replacement.isEmpty())
                return false;
            out.append(replacement);
            size_t step = std::min<size_t>(static_cast<size_t>(skip), srcLeft);
            src += step;
            srcLeft -= step;
        }
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        iconv(cd_, nullptr, nullptr, &dst, &dstLeft);
        out.append(buffer, static_cast<qsizetype>(dst - buffer));
        return true;
    }

private:
    iconv_t cd_;
};

QByteArray ToUtf32(const QString& text)
{
    const QList<uint> ucs4 = text.toUcs4();
    return QByteArray(reinterpret_cast<const char*>(ucs4.constData()),
                      static_cast<qsizetype>(ucs4.size() * 4));
}

} // namespace

CodePage::CodePage(int number) : number_(number), iconvName_("CP" + QByteArray::number(number))
{
    if (number == 950)
        iconvName_ = "CP950";
}

bool CodePage::TryEncode(const QString& text, QByteArray& out) const
{
    // Every ANSI code page keeps ASCII as it is; most lines never need the converter.
    const bool ascii =
        std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
    if (ascii) {
        out = text.toLatin1();
        return true;
    }
    Iconv conv(iconvName_.constData(), "UTF-32LE");
    return conv.Run(ToUtf32(text), out, QByteArray(), 4);
}

QByteArray CodePage::EncodeFile(const QString& text) const
{
    QByteArray out;
    if (TryEncode(text, out))
        return out;
    return kUtf8Bom + text.toUtf8();
}

QString CodePage::DecodeFile(const QByteArray& bytes) const
{
    if (bytes.startsWith(kUtf8Bom))
        return QString::fromUtf8(bytes.mid(kUtf8Bom.size()));
    if (IsValidUtf8(bytes))
        return QString::fromUtf8(bytes);
    return Decode(bytes);
}

QString CodePage::Decode(const QByteArray& bytes) const
{
    Iconv conv("UTF-8", iconvName_.constData());
    QByteArray utf8;
    conv.Run(bytes, utf8, "\xEF\xBF\xBD", 1);
    return QString::fromUtf8(utf8);
}

bool CodePage::IsValidUtf8(const QByteArray& bytes)
{
    return QByteArrayView(bytes).isValidUtf8();
}

bool CodePage::TryEncodeLine(const QString& line, QByteArray& out) const
{
    return TryEncode(line, out) && (!IsValidUtf8(out) || QString::fromUtf8(out) == line);
}

QByteArray CodePage::EncodeLine(const QString& line) const
{
    QByteArray out;
    return TryEncodeLine(line, out) ? out : line.toUtf8();
}

// What each byte sequence of the code page beyond ASCII reads as, found once by reading
// them all: a line is then read without the converter when each of its sequences is one
// of them.
struct CodePage::Codes
{
    std::vector<char16_t> one = std::vector<char16_t>(256);   // a byte alone
    std::vector<char16_t> two = std::vector<char16_t>(65536); // lead << 8 | trail
    // The other way round, made from the two tables when a search first asks.
    mutable std::once_flag formsMade;
    mutable QHash<char16_t, QList<QByteArray>> forms;
};

namespace {

// Every byte from 0x80 alone, each followed by the double-byte codes it leads, in the
// order the tables are filled.
template <typename Visit> void ForEachSequence(Visit visit)
{
    for (int lead = 0x80; lead <= 0xFF; ++lead) {
        visit(lead, -1);
        for (int trail = 0x40; trail <= 0xFF; ++trail) {
            if (trail != 0x7F)
                visit(lead, trail);
        }
    }
}

} // namespace

const CodePage::Codes& CodePage::CodeTable() const
{
    // One table per code page for the run, made on first use by whichever thread.
    static std::mutex lock;
    static QHash<int, std::shared_ptr<Codes>> tables;
    const std::lock_guard<std::mutex> guard(lock);
    std::shared_ptr<Codes>& codes = tables[number_];
    if (codes)
        return *codes;
    codes = std::make_shared<Codes>();
    // Every sequence, one a line, read at once.
    QByteArray lines;
    lines.reserve(128 * 192 * 3);
    ForEachSequence([&](int lead, int trail) {
        lines += char(lead);
        if (trail >= 0)
            lines += char(trail);
        lines += '\n';
    });
    const QString read = Decode(lines);
    qsizetype at = 0;
    ForEachSequence([&](int lead, int trail) {
        const qsizetype newline = read.indexOf('\n', at);
        const qsizetype end = newline < 0 ? read.size() : newline;
        // Bytes it cannot read give U+FFFD, which no bytes stand for.
        char16_t c = end - at == 1 ? read[at].unicode() : 0;
        if (c < 0x80 || c == 0xFFFD)
            c = 0;
        at = qMin(end + 1, read.size());
        if (trail < 0)
            codes->one[lead] = c;
        else
            codes->two[lead << 8 | trail] = c;
    });
    return *codes;
}

QList<QByteArray> CodePage::FormsOf(QChar c) const
{
    const Codes& codes = CodeTable();
    std::call_once(codes.formsMade, [&codes] {
        ForEachSequence([&codes](int lead, int trail) {
            const char16_t read = trail < 0 ? codes.one[lead] : codes.two[lead << 8 | trail];
            if (read == 0)
                return;
            QByteArray sequence(1, char(lead));
            if (trail >= 0)
                sequence += char(trail);
            codes.forms[read].append(sequence);
        });
    });
    return codes.forms.value(c.unicode());
}

struct CodePage::LineDecoder::Converter
{
    Converter(const CodePage& codePage)
        : iconv("UTF-8", codePage.iconvName_.constData()), codes(codePage.CodeTable())
    {
    }
    Iconv iconv;
    const Codes& codes;
    QByteArray utf8;
};

CodePage::LineDecoder::LineDecoder(const CodePage& codePage)
    : converter_(std::make_unique<Converter>(codePage))
{
}

CodePage::LineDecoder::~LineDecoder() = default;

QString CodePage::LineDecoder::Decode(const char* data, qsizetype size)
{
    const QByteArrayView line(data, size);
    if (std::all_of(line.begin(), line.end(), [](char c) { return uchar(c) < 0x80; }))
        return QString::fromLatin1(line);
    if (line.isValidUtf8())
        return QString::fromUtf8(line);
    const Codes& codes = converter_->codes;
    QString text(size, Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < size;) {
        const uchar byte = uchar(data[i]);
        if (byte < 0x80) {
            *out++ = QChar(byte);
            ++i;
            continue;
        }
        const char16_t pair = i + 1 < size ? codes.two[byte << 8 | uchar(data[i + 1])] : 0;
        const char16_t alone = codes.one[byte];
        if (!pair && !alone) {
            // A sequence the code page does not read as one character: the converter
            // says what it makes of the line.
            converter_->iconv.Run(data, size_t(size), converter_->utf8, "\xEF\xBF\xBD", 1);
            return QString::fromUtf8(converter_->utf8);
        }
        *out++ = QChar(pair ? pair : alone);
        i += pair ? 2 : 1;
    }
    text.truncate(out - text.constData());
    return text;
}

} // namespace tolvane
