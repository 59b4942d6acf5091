#include "discovery/SongCatalogue.h"

#include "app/Text.h"
#include "platform/CodePage.h"

#include <QFile>
#include <algorithm>
#include <array>
#include <cstring>

namespace tolvane {

namespace SongCatalogue {

QString AlbumLine(const QString& album, const QString& title)
{
    QString folder = album.mid(2);
    if (folder.startsWith('\\'))
        folder.remove(0, 1);
    return "<Dir> " + folder + "\t [" + title + "]";
}

bool ParseAlbumLine(const QString& item, QString& album, QString& title, QString& text)
{
    const qsizetype dir = item.indexOf(QLatin1String("<Dir>"));
    if (dir < 0)
        return false;
    const qsizetype start = dir + 5;
    // The title follows the TAB and " [" the program writes, so a folder may hold a
    // "[" of its own; a line from elsewhere is cut at its first "[".
    qsizetype open = item.lastIndexOf(QLatin1String("\t ["));
    open = open >= start ? open + 2 : item.indexOf('[', start);
    if (open < 0) {
        album = item.mid(start).trimmed();
        title.clear();
        text = item.trimmed();
        return true;
    }
    album = item.mid(start, open - start).trimmed();
    const qsizetype close = item.lastIndexOf(']');
    title = close > open ? item.mid(open + 1, close - open - 1) : item.mid(open + 1);
    text = item.left(open).trimmed();
    return true;
}

void SplitAlbum(const QString& album, QString& a, QString& b)
{
    a = b = album.trimmed();
    const qsizetype open = a.indexOf('(');
    if (open >= 0) {
        const QString name = a;
        const qsizetype close = name.indexOf(')', open + 1);
        a = close < 0 ? name.mid(open + 1) : name.mid(open + 1, close - open - 1);
        b = close < 0 ? QString() : name.mid(close + 1);
    }
    // B is cut where A was: the two run side by side when there was no "(".
    for (const char16_t separator : {u'~', u'-', u'_', u'～', u'－'}) {
        const qsizetype at = a.indexOf(QChar(separator));
        if (at < 0)
            continue;
        a = a.left(at);
        if (b.size() > at + 1)
            b = b.mid(at + 1);
    }
    for (QString* part : {&a, &b}) {
        const qsizetype slash = part->indexOf('\\');
        if (slash >= 0)
            *part = part->mid(slash + 1);
    }
}

QString Upper(const QString& text)
{
    QString upper = text;
    for (QChar& c : upper) {
        const char16_t code = c.unicode();
        if (code < 0x80) {
            if (code >= 'a' && code <= 'z')
                c = QChar(char16_t(code - 32));
        } else if (c.toUpper().unicode() >= 0x80) {
            c = c.toUpper();
        }
    }
    return upper;
}

} // namespace SongCatalogue

namespace {

const QByteArrayView kBom("\xEF\xBB\xBF");
constexpr qint64 kChunk = 4 << 20;

// The last `c` in `bytes` before `end`, or -1.
qsizetype LastOf(QByteArrayView bytes, char c, qsizetype end)
{
    const void* at = end > 0 ? memrchr(bytes.data(), c, size_t(end)) : nullptr;
    return at ? static_cast<const char*>(at) - bytes.data() : -1;
}

// A 1 in each byte of `word` that equals the byte repeated in `pattern`.
quint64 Equal(quint64 word, quint64 pattern)
{
    constexpr quint64 low7 = 0x7F7F7F7F7F7F7F7FULL;
    const quint64 x = word ^ pattern;
    const quint64 nonZero = ((x & low7) + low7) | x; // high bit of each non-zero byte
    return (~nonZero >> 7) & 0x0101010101010101ULL;
}

// The commas and line ends of `bytes`: each ends an item. Counted eight bytes at a time
// into byte lanes, which are added up before any can pass 255.
qint64 Separators(QByteArrayView bytes)
{
    constexpr quint64 lines = 0x0A0A0A0A0A0A0A0AULL;
    constexpr quint64 commas = 0x2C2C2C2C2C2C2C2CULL;
    constexpr quint64 evenLanes = 0x00FF00FF00FF00FFULL;
    const char* at = bytes.data();
    const char* const end = at + bytes.size();
    qint64 count = 0;
    while (end - at >= 8) {
        quint64 lanes = 0;
        for (int word = 0; word < 255 && end - at >= 8; ++word, at += 8) {
            quint64 bits;
            std::memcpy(&bits, at, 8);
            lanes += Equal(bits, lines) + Equal(bits, commas);
        }
        const quint64 pairs = (lanes & evenLanes) + ((lanes >> 8) & evenLanes);
        count += qint64((pairs * 0x0001000100010001ULL) >> 48);
    }
    for (; at < end; ++at)
        count += (*at == ',') | (*at == '\n');
    return count;
}

char Fold(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 32) : c;
}

// A query can be looked for in the bytes of a line when none of its characters outside
// ASCII has another case: ASCII letters are folded in the bytes, every other character
// must stand in the line as it stands in the query. U+FFFD stands for bytes that could
// not be read, which are not its own; half of a surrogate pair has no bytes of its own.
bool BytesCanFind(const QString& upperQuery)
{
    return !upperQuery.isEmpty() && upperQuery.isValidUtf16() &&
           std::all_of(upperQuery.begin(), upperQuery.end(), [](QChar c) {
               return c.unicode() < 0x80 ||
                      (c.toUpper() == c && c.toLower() == c && c.unicode() != 0xFFFD);
           });
}

// The query's bytes in the code page, one for each way its characters can be written:
// none when the code page lacks one of them; false when the ways are too many to look
// for.
bool CodePageForms(const QString& upperQuery, QList<QByteArray>& forms)
{
    const CodePage codePage(950);
    forms = {QByteArray()};
    for (QChar c : upperQuery) {
        const QList<QByteArray> ways = c.unicode() < 0x80
                                           ? QList<QByteArray>{QByteArray(1, char(c.unicode()))}
                                           : codePage.FormsOf(c);
        QList<QByteArray> longer;
        for (const QByteArray& form : std::as_const(forms)) {
            for (const QByteArray& way : ways)
                longer.append(form + way);
        }
        forms = longer;
        if (forms.size() > 8)
            return false;
    }
    return true;
}

// Finds a byte string by its rarest byte, as a sample of the text counts them: memchr
// for that byte, then a compare. Code-page text repeats a few lead bytes, on which a
// general search of a short string steps slowly.
class RareByteFinder
{
public:
    explicit RareByteFinder(QByteArray needle) : needle_(std::move(needle)) {}

    const QByteArray& Needle() const { return needle_; }

    void Learn(QByteArrayView sample)
    {
        std::array<qsizetype, 256> counts{};
        for (const char c : sample)
            ++counts[uchar(c)];
        rare_ = 0;
        for (qsizetype i = 1; i < needle_.size(); ++i) {
            if (counts[uchar(needle_[i])] < counts[uchar(needle_[rare_])])
                rare_ = i;
        }
    }

    // The first place at or after `from`, or the size of `hay`.
    qsizetype Find(QByteArrayView hay, qsizetype from) const
    {
        const char* const data = hay.data();
        const qsizetype size = hay.size();
        const qsizetype length = needle_.size();
        const char rare = needle_[rare_];
        for (qsizetype at = from + rare_; at < size;) {
            const void* hit = std::memchr(data + at, rare, size_t(size - at));
            if (!hit)
                break;
            const qsizetype start = static_cast<const char*>(hit) - data - rare_;
            if (start + length <= size &&
                std::memcmp(data + start, needle_.constData(), size_t(length)) == 0)
                return start;
            at = start + rare_ + 1;
        }
        return size;
    }

private:
    QByteArray needle_;
    qsizetype rare_ = 0;
};

} // namespace

// What reading the file needs beside the results: the converter, and the query's bytes
// in each form a line may take, folded.
struct CatalogueSearch::Reader
{
    CodePage::LineDecoder decoder{CodePage(950)};
    QList<RareByteFinder> forms;
    bool fold = false; // lines are folded before the search
    QByteArray folded;
};

CatalogueSearch::CatalogueSearch(Kind kind, const QString& query)
    : kind_(kind), upperQuery_(SongCatalogue::Upper(query)), reader_(std::make_unique<Reader>())
{
    QList<QByteArray> forms;
    if (!BytesCanFind(upperQuery_) || !CodePageForms(upperQuery_, forms))
        return;
    forms.append(upperQuery_.toUtf8());
    // Letters of the query may stand in either case in a line: then lines and query
    // are compared with ASCII letters folded. Other bytes that look like letters are
    // parts of double-byte characters, which stand as they are.
    reader_->fold = std::any_of(upperQuery_.begin(), upperQuery_.end(),
                                [](QChar c) { return c >= 'A' && c <= 'Z'; });
    caseless_ = !reader_->fold;
    for (QByteArray& form : forms) {
        if (reader_->fold)
            std::transform(form.begin(), form.end(), form.begin(), Fold);
        if (std::none_of(reader_->forms.begin(), reader_->forms.end(),
                         [&](const RareByteFinder& known) { return known.Needle() == form; }))
            reader_->forms.append(RareByteFinder(form));
    }
    quick_ = true;
}

CatalogueSearch::~CatalogueSearch() = default;

CatalogueSearch::Outcome
CatalogueSearch::SearchFile(const QString& localPath,
                            const std::function<bool(qint64, qint64)>& progress, QString& reason)
{
    QFile file(localPath);
    if (!file.exists()) {
        Finish();
        return Missing;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
        return Failed;
    }
    const qint64 total = file.size();
    qint64 done = 0;
    QByteArray buffer(kChunk, Qt::Uninitialized);
    for (;;) {
        const qint64 got = file.read(buffer.data(), kChunk);
        if (got < 0) {
            reason = file.errorString();
            return Failed;
        }
        if (got == 0)
            break;
        Feed(QByteArrayView(buffer.constData(), got));
        done += got;
        if (progress && !progress(done, total))
            return Stopped;
    }
    Finish();
    return Done;
}

void CatalogueSearch::Feed(QByteArrayView bytes)
{
    if (!carry_.isEmpty()) {
        const qsizetype end = bytes.indexOf('\n');
        if (end < 0) {
            carry_ += bytes;
            return;
        }
        carry_ += bytes.first(end + 1);
        Lines(carry_, true);
        carry_.clear();
        bytes = bytes.sliced(end + 1);
    }
    const qsizetype last = bytes.lastIndexOf('\n');
    if (last >= 0)
        Lines(bytes.first(last + 1), true);
    carry_ = bytes.sliced(last + 1).toByteArray();
}

void CatalogueSearch::Finish()
{
    if (!carry_.isEmpty())
        Lines(carry_, false);
    carry_.clear();
}

// `block` is whole lines, each ending in "\n", or when not `ended` the file's last line.
void CatalogueSearch::Lines(QByteArrayView block, bool ended)
{
    if (first_) {
        first_ = false;
        utf8_ = block.startsWith(kBom);
        if (utf8_)
            block = block.sliced(kBom.size());
    }
    if (!ended || !quick_) {
        for (qsizetype at = 0; at < block.size();) {
            qsizetype end = block.indexOf('\n', at);
            if (end < 0)
                end = block.size();
            Read(block.sliced(at, end - at), ended, true);
            at = end + 1;
        }
        return;
    }
    QByteArrayView hay = block;
    if (reader_->fold) {
        reader_->folded.resize(block.size());
        std::transform(block.begin(), block.end(), reader_->folded.begin(), Fold);
        hay = reader_->folded;
    }
    const qsizetype size = block.size();
    for (RareByteFinder& form : reader_->forms)
        form.Learn(hay.first(std::min<qsizetype>(size, 64 << 10)));
    // The next place of each form and of a quote (whose line ItemReader reads its own
    // way); found again only once passed.
    QList<qsizetype> next(reader_->forms.size() + 1, -1);
    auto find = [&](qsizetype which, qsizetype from) -> qsizetype {
        if (which == reader_->forms.size()) {
            const void* at = std::memchr(block.data() + from, '"', size_t(size - from));
            return at ? static_cast<const char*>(at) - block.data() : size;
        }
        return reader_->forms[which].Find(hay, from);
    };
    for (qsizetype at = 0; at < size;) {
        qsizetype hit = size;
        for (qsizetype which = 0; which < next.size(); ++which) {
            if (next[which] < at)
                next[which] = find(which, at);
            hit = std::min(hit, next[which]);
        }
        const qsizetype start = hit >= size ? size : LastOf(block, '\n', hit) + 1;
        const qsizetype from = std::max(start, at);
        Skip(block.sliced(at, from - at));
        if (from >= size)
            break;
        const qsizetype end = block.indexOf('\n', from);
        const QByteArrayView line = block.sliced(from, end - from);
        if (kind_ == Songs || line.contains(QByteArrayView("<Dir>")))
            Read(line, true, true);
        at = end + 1;
    }
}

// Lines in which the query cannot stand and no quote: counted, and the last album
// line among them read for the songs after it.
void CatalogueSearch::Skip(QByteArrayView lines)
{
    // The album search counts its rows only, and takes an album from its own line.
    if (lines.isEmpty() || kind_ == Albums)
        return;
    counted_ += Separators(lines);
    for (qsizetype at = LastOf(lines, '<', lines.size()); at >= 0; at = LastOf(lines, '<', at)) {
        if (lines.sliced(at).startsWith("<Dir>")) {
            const qsizetype start = LastOf(lines, '\n', at) + 1;
            Read(lines.sliced(start, lines.indexOf('\n', at) - start), true, false);
            break;
        }
    }
}

void CatalogueSearch::Read(QByteArrayView line, bool ended, bool counting)
{
    if (quick_ && ended && !line.contains(',') && !line.contains('"')) {
        // One item, as ItemReader reads an ended line without commas or quotes (the
        // last line, unended, may hold none); the line's CR goes before it is decoded,
        // so most items need no trimmed copy.
        Item(Decode(line.endsWith('\r') ? line.chopped(1) : line).trimmed(), counting);
        return;
    }
    QString text = Decode(line);
    // The line end ends the last item, as it does in the whole file.
    if (ended)
        text += '\n';
    ItemReader items(std::move(text));
    while (!items.AtEnd())
        Item(items.Next(), counting);
}

QString CatalogueSearch::Decode(QByteArrayView line)
{
    return utf8_ ? QString::fromUtf8(line) : reader_->decoder.Decode(line.data(), line.size());
}

void CatalogueSearch::Item(const QString& item, bool counting)
{
    QString album, title, text;
    const bool albumLine = SongCatalogue::ParseAlbumLine(item, album, title, text);
    if (albumLine) {
        album_ = album;
        title_ = title;
    }
    if (!counting)
        return;
    // A query without a letter of either case is found as it is.
    const bool holds =
        !item.isEmpty() &&
        (upperQuery_.isEmpty() || (caseless_ ? item.contains(upperQuery_)
                                             : SongCatalogue::Upper(item).contains(upperQuery_)));
    if (kind_ == Songs) {
        ++counted_;
        if (holds)
            AddRow({albumLine ? text : item, album_, title_});
    } else if (albumLine && holds) {
        ++counted_;
        QString a, b;
        SongCatalogue::SplitAlbum(album_, a, b);
        AddRow({b, a, album_});
    }
}

void CatalogueSearch::AddRow(QStringList row)
{
    if (rows.size() >= maxRows) {
        cut_ = true;
        return;
    }
    rows.append(std::move(row));
}

} // namespace tolvane
