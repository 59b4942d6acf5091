#include "platform/CodePage.h"

#include <algorithm>

#include <QHash>
#include <QList>
#include <QSet>
#include <cerrno>
#include <iconv.h>

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

QList<QByteArray> CodePage::FormsOf(QChar c) const
{
    static QHash<int, QHash<char16_t, QList<QByteArray>>> tables;
    if (!tables.contains(number_)) {
        // Every single byte from 0x80 and every double-byte code, one a line, read at once.
        QList<QByteArray> codes;
        QByteArray lines;
        for (int lead = 0x80; lead <= 0xFF; ++lead) {
            codes.append(QByteArray(1, char(lead)));
            for (int trail = 0x40; trail <= 0xFF; ++trail) {
                if (trail != 0x7F)
                    codes.append(QByteArray(1, char(lead)) + char(trail));
            }
        }
        for (const QByteArray& code : std::as_const(codes))
            lines += code + '\n';
        const QStringList read = Decode(lines).split('\n');
        QHash<char16_t, QList<QByteArray>>& table = tables[number_];
        for (qsizetype i = 0; i < codes.size() && i < read.size(); ++i) {
            // Bytes it cannot read give U+FFFD, which no bytes stand for.
            if (read[i].size() == 1 && read[i][0].unicode() >= 0x80 &&
                read[i][0].unicode() != 0xFFFD)
                table[read[i][0].unicode()].append(codes[i]);
        }
    }
    return tables[number_].value(c.unicode());
}

struct CodePage::LineDecoder::Converter
{
    explicit Converter(const QByteArray& name) : iconv("UTF-8", name.constData()) {}
    Iconv iconv;
    QByteArray utf8;
};

CodePage::LineDecoder::LineDecoder(const CodePage& codePage)
    : converter_(std::make_unique<Converter>(codePage.iconvName_))
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
    converter_->iconv.Run(data, size_t(size), converter_->utf8, "\xEF\xBF\xBD", 1);
    return QString::fromUtf8(converter_->utf8);
}

} // namespace tolvane
