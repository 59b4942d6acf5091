#include "platform/ProfileFile.h"

#include "platform/CodePage.h"

#include <QFile>
#include <QList>
#include <QSaveFile>

namespace tolvane {

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

// The file as raw lines; untouched lines are written back exactly as read.
struct ProfileLines
{
    bool utf8 = false; // the file starts with a byte-order mark
    QList<QByteArray> lines;

    static ProfileLines Load(const QString& path)
    {
        ProfileLines result;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return result;
        QByteArray bytes = file.readAll();
        if (bytes.startsWith(kBom)) {
            result.utf8 = true;
            bytes.remove(0, kBom.size());
        }
        if (bytes.isEmpty())
            return result;
        result.lines = bytes.split('\n');
        if (result.lines.last().isEmpty())
            result.lines.removeLast();
        for (QByteArray& line : result.lines) {
            if (line.endsWith('\r'))
                line.chop(1);
        }
        return result;
    }

    QString Text(int i) const
    {
        const QByteArray& raw = lines[i];
        if (utf8 || CodePage::IsValidUtf8(raw))
            return QString::fromUtf8(raw);
        return CodePage().Decode(raw);
    }

    bool AllUtf8() const
    {
        for (const QByteArray& line : lines) {
            if (!CodePage::IsValidUtf8(line))
                return false;
        }
        return true;
    }

    // Encodes a new line; a text the code page lacks turns the file to UTF-8 when
    // every line already is, otherwise only that line is UTF-8 (read back per line).
    QByteArray Encode(const QString& text)
    {
        if (utf8)
            return text.toUtf8();
        QByteArray ansi;
        if (CodePage().TryEncode(text, ansi))
            return ansi;
        if (AllUtf8())
            utf8 = true;
        return text.toUtf8();
    }

    bool Save(const QString& path) const
    {
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        if (utf8)
            file.write(kBom);
        for (const QByteArray& line : lines) {
            file.write(line);
            file.write("\r\n");
        }
        return file.commit();
    }
};

QString SectionName(const QString& line)
{
    QString trimmed = line.trimmed();
    if (!trimmed.startsWith('['))
        return QString();
    int close = trimmed.indexOf(']');
    if (close < 0)
        return QString();
    return trimmed.mid(1, close - 1).trimmed();
}

bool IsSection(const QString& line)
{
    QString trimmed = line.trimmed();
    return trimmed.startsWith('[') && trimmed.contains(']');
}

bool SameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Index of the header line of the first matching section, or -1.
int FindSection(const ProfileLines& file, const QString& section)
{
    for (int i = 0; i < file.lines.size(); ++i) {
        QString line = file.Text(i);
        if (IsSection(line) && SameName(SectionName(line), section.trimmed()))
            return i;
    }
    return -1;
}

// One past the last line of the section whose header is at `header`.
int SectionEnd(const ProfileLines& file, int header)
{
    int i = header + 1;
    while (i < file.lines.size() && !IsSection(file.Text(i)))
        ++i;
    return i;
}

bool KeyOf(const QString& line, QString& key, QString& value)
{
    QString trimmed = line.trimmed();
    if (trimmed.startsWith(';'))
        return false;
    int eq = line.indexOf('=');
    if (eq < 0)
        return false;
    key = line.left(eq).trimmed();
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

} // namespace

QString ProfileFile::GetString(const QString& localPath, const QString& section, const QString& key,
                               const QString& fallback)
{
    ProfileLines file = ProfileLines::Load(localPath);
    int header = FindSection(file, section);
    if (header >= 0) {
        int end = SectionEnd(file, header);
        for (int i = header + 1; i < end; ++i) {
            QString name, value;
            if (KeyOf(file.Text(i), name, value) && SameName(name, key.trimmed()))
                return Unquote(value).left(kMaxValue);
        }
    }
    return fallback.left(kMaxValue);
}

bool ProfileFile::WriteString(const QString& localPath, const QString& section, const QString& key,
                              const QString& value)
{
    ProfileLines file = ProfileLines::Load(localPath);
    QByteArray entry = file.Encode(key + "=" + value);
    int header = FindSection(file, section);
    if (header < 0) {
        file.lines.append(file.Encode("[" + section + "]"));
        file.lines.append(entry);
        return file.Save(localPath);
    }
    int end = SectionEnd(file, header);
    int insertAt = header + 1;
    for (int i = header + 1; i < end; ++i) {
        QString name, old;
        if (KeyOf(file.Text(i), name, old) && SameName(name, key.trimmed())) {
            file.lines[i] = entry;
            return file.Save(localPath);
        }
        if (!file.Text(i).trimmed().isEmpty())
            insertAt = i + 1;
    }
    file.lines.insert(insertAt, entry);
    return file.Save(localPath);
}

} // namespace tolvane
