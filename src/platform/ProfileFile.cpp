#include "platform/ProfileFile.h"

#include "platform/CodePage.h"
#include "platform/LocalFiles.h"

#include <QFile>
#include <QList>
#include <QSet>

namespace tolvane {

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

} // namespace

// The file as raw lines with their decoded texts; untouched lines are written back
// exactly as read.
struct ProfileFile::Lines
{
    bool utf8 = false; // the file starts with a byte-order mark
    QList<QByteArray> raw;
    QList<QString> text;

    void Read(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return;
        QByteArray bytes = file.readAll();
        if (bytes.startsWith(kBom)) {
            utf8 = true;
            bytes.remove(0, kBom.size());
        }
        if (bytes.isEmpty())
            return;
        raw = bytes.split('\n');
        if (raw.last().isEmpty())
            raw.removeLast();
        CodePage::LineDecoder decoder{CodePage()};
        for (QByteArray& line : raw) {
            if (line.endsWith('\r'))
                line.chop(1);
            text.append(utf8 ? QString::fromUtf8(line)
                             : decoder.Decode(line.constData(), line.size()));
        }
    }

    bool AllUtf8() const
    {
        for (const QByteArray& line : raw) {
            if (!CodePage::IsValidUtf8(line))
                return false;
        }
        return true;
    }

    // Encodes a new line; a text the code page lacks turns the file to UTF-8 when
    // every line already is, otherwise only that line is UTF-8 (read back per line).
    // So does a text whose code-page bytes also form UTF-8: read back, they would be
    // taken for UTF-8 and give other text.
    QByteArray Encode(const QString& line)
    {
        if (utf8)
            return line.toUtf8();
        QByteArray ansi;
        if (CodePage().TryEncodeLine(line, ansi))
            return ansi;
        if (AllUtf8())
            utf8 = true;
        return line.toUtf8();
    }

    void Insert(int at, const QString& line)
    {
        raw.insert(at, Encode(line));
        text.insert(at, line);
    }

    void Replace(int at, const QString& line)
    {
        raw[at] = Encode(line);
        text[at] = line;
    }
};

namespace {

// Blanks and byte-order marks (left inside files that were joined together) are no
// part of a line's name.
QString Trimmed(const QString& text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    auto blank = [](QChar c) { return c.isSpace() || c == QChar(0xFEFF); };
    while (from < to && blank(text[from]))
        ++from;
    while (to > from && blank(text[to - 1]))
        --to;
    return text.mid(from, to - from);
}

QString SectionName(const QString& line)
{
    QString trimmed = Trimmed(line);
    if (!trimmed.startsWith('['))
        return QString();
    int close = trimmed.indexOf(']');
    if (close < 0)
        return QString();
    return Trimmed(trimmed.mid(1, close - 1));
}

bool IsSection(const QString& line)
{
    QString trimmed = Trimmed(line);
    return trimmed.startsWith('[') && trimmed.contains(']');
}

bool SameName(const QString& a, const QString& b)
{
    return Trimmed(a).compare(Trimmed(b), Qt::CaseInsensitive) == 0;
}

// Index of the header line of the first matching section, or -1.
int FindSection(const ProfileFile::Lines& file, const QString& section)
{
    for (int i = 0; i < file.raw.size(); ++i) {
        QString line = file.text[i];
        if (IsSection(line) && SameName(SectionName(line), section))
            return i;
    }
    return -1;
}

// One past the last line of the section whose header is at `header`.
int SectionEnd(const ProfileFile::Lines& file, int header)
{
    int i = header + 1;
    while (i < file.raw.size() && !IsSection(file.text[i]))
        ++i;
    return i;
}

bool KeyOf(const QString& line, QString& key, QString& value)
{
    QString trimmed = Trimmed(line);
    if (trimmed.startsWith(';'))
        return false;
    int eq = line.indexOf('=');
    if (eq < 0)
        return false;
    key = Trimmed(line.left(eq));
    value = line.mid(eq + 1).trimmed();
    return true;
}

QString Unquote(const QString& value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

// Whether any line changed: a line that already reads the same is left as it is.
bool Apply(ProfileFile::Lines& file, const QList<ProfileFile::Entry>& entries)
{
    bool changed = false;
    for (const ProfileFile::Entry& entry : entries) {
        QString line = entry.key + "=" + entry.value;
        int header = FindSection(file, entry.section);
        if (header < 0) {
            file.Insert(file.raw.size(), "[" + entry.section + "]");
            file.Insert(file.raw.size(), line);
            changed = true;
            continue;
        }
        int end = SectionEnd(file, header);
        int insertAt = header + 1;
        bool replaced = false;
        for (int i = header + 1; i < end && !replaced; ++i) {
            QString name, old;
            if (KeyOf(file.text[i], name, old) && SameName(name, entry.key)) {
                if (file.text[i] != line) {
                    file.Replace(i, line);
                    changed = true;
                }
                replaced = true;
            } else if (!file.text[i].trimmed().isEmpty()) {
                insertAt = i + 1;
            }
        }
        if (!replaced) {
            file.Insert(insertAt, line);
            changed = true;
        }
    }
    return changed;
}

} // namespace

ProfileFile::ProfileFile() = default;
ProfileFile::~ProfileFile() = default;

void ProfileFile::NoteCached(const QString& localPath)
{
    cachedPath_ = localPath;
    cachedStamp_ = StampLocal(localPath);
}

ProfileFile::Lines& ProfileFile::Load(const QString& localPath)
{
    const LocalStamp stamp = StampLocal(localPath);
    if (!cached_ || cachedPath_ != localPath || cachedStamp_ != stamp) {
        cached_ = std::make_unique<Lines>();
        auto unsaved = unsaved_.constFind(localPath);
        bool afresh = unsaved != unsaved_.constEnd() && unsaved->afresh;
        if (!afresh)
            cached_->Read(localPath);
        if (unsaved != unsaved_.constEnd())
            Apply(*cached_, unsaved->entries);
        cachedPath_ = localPath;
        cachedStamp_ = stamp;
    }
    return *cached_;
}

bool ProfileFile::Save(const QString& localPath)
{
    const Lines& file = *cached_;
    QByteArray bytes;
    if (file.utf8)
        bytes += kBom;
    for (const QByteArray& line : file.raw) {
        bytes += line;
        bytes += "\r\n";
    }
    QString reason;
    bool ok = SaveWholeFile(localPath, bytes, reason);
    // The parsed copy stays whichever way it went: after a failure it holds the edits
    // the file lacks, and the file is unchanged on disk.
    NoteCached(localPath);
    if (ok)
        notices.Saved(localPath);
    else
        notices.SaveFailed(localPath, reason);
    return ok;
}

QString ProfileFile::GetString(const QString& localPath, const QString& section, const QString& key,
                               const QString& fallback)
{
    const Lines& file = Load(localPath);
    int header = FindSection(file, section);
    if (header >= 0) {
        int end = SectionEnd(file, header);
        for (int i = header + 1; i < end; ++i) {
            QString name, value;
            if (KeyOf(file.text[i], name, value) && SameName(name, key))
                return Unquote(value).left(kMaxValue);
        }
    }
    return fallback.left(kMaxValue);
}

QStringList ProfileFile::Keys(const QString& localPath, const QString& section)
{
    const Lines& file = Load(localPath);
    QStringList keys;
    QSet<QString> seen;
    int header = FindSection(file, section);
    if (header < 0)
        return keys;
    int end = SectionEnd(file, header);
    for (int i = header + 1; i < end; ++i) {
        QString name, value;
        if (KeyOf(file.text[i], name, value) && !seen.contains(name.toCaseFolded())) {
            seen.insert(name.toCaseFolded());
            keys.append(name);
        }
    }
    return keys;
}

bool ProfileFile::WriteString(const QString& localPath, const QString& section, const QString& key,
                              const QString& value)
{
    return WriteStrings(localPath, {{section, key, value}});
}

bool ProfileFile::WriteStrings(const QString& localPath, const QList<Entry>& entries)
{
    return Write(localPath, entries, false);
}

bool ProfileFile::RewriteStrings(const QString& localPath, const QList<Entry>& entries)
{
    return Write(localPath, entries, true);
}

bool ProfileFile::Write(const QString& localPath, const QList<Entry>& entries, bool afresh)
{
    if (afresh) {
        cached_ = std::make_unique<Lines>();
        NoteCached(localPath);
    }
    // A file that already says it all is not written again: starts and closes write
    // the same values each time.
    if (!Apply(Load(localPath), entries) && !afresh && !unsaved_.contains(localPath) &&
        cachedStamp_.size >= 0)
        return true;
    if (Save(localPath)) {
        unsaved_.remove(localPath);
        return true;
    }
    Unsaved& unsaved = unsaved_[localPath];
    if (afresh)
        unsaved = Unsaved{true, {}};
    unsaved.entries += entries;
    return false;
}

} // namespace tolvane
