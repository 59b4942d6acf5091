#include "lyrics/LrcReader.h"

#include "app/Text.h"
#include "platform/CodePage.h"
#include "platform/DosFiles.h"

#include <QList>
#include <algorithm>
#include <optional>

namespace tolvane {

namespace {

constexpr qint64 kLastMs = 99 * 60000 + 59 * 1000 + 999; // "99:59:99" is the widest tag

struct Timed
{
    qint64 ms;
    QString text;
};

// A run of one or more ASCII digits at `at`, at most `most` long; advances `at`.
std::optional<int> Digits(QStringView text, qsizetype& at, int most)
{
    int value = 0;
    int count = 0;
    while (at < text.size() && count < most && text[at] >= '0' && text[at] <= '9') {
        value = value * 10 + (text[at].unicode() - '0');
        ++at;
        ++count;
    }
    if (count == 0)
        return std::nullopt;
    return value;
}

// "mm:ss", "mm:ss.f", "mm:ss.ff" or "mm:ss.fff" (":" also before the fraction), in
// milliseconds.
std::optional<qint64> TagTime(QStringView tag)
{
    qsizetype at = 0;
    std::optional<int> minutes = Digits(tag, at, 2);
    if (!minutes || at >= tag.size() || tag[at] != ':')
        return std::nullopt;
    ++at;
    std::optional<int> seconds = Digits(tag, at, 2);
    if (!seconds || *seconds >= 60)
        return std::nullopt;
    qint64 ms = *minutes * 60000LL + *seconds * 1000LL;
    if (at == tag.size())
        return ms;
    if (tag[at] != '.' && tag[at] != ':')
        return std::nullopt;
    const qsizetype start = ++at;
    std::optional<int> fraction = Digits(tag, at, 3);
    if (!fraction || at != tag.size())
        return std::nullopt;
    static constexpr int kScale[] = {0, 100, 10, 1};
    return ms + *fraction * kScale[at - start];
}

QString TagText(qint64 ms)
{
    const qint64 hundredths = ms / 10;
    return ZeroPad(hundredths / 6000, 2) + ":" + ZeroPad(hundredths / 100 % 60, 2) + ":" +
           ZeroPad(hundredths % 100, 2);
}

// A header "[key:value]"; false when the tag is not one.
bool Header(QStringView tag, QStringView key, QString& value)
{
    if (tag.size() <= key.size() || !tag.startsWith(key, Qt::CaseInsensitive) ||
        tag[key.size()] != ':')
        return false;
    value = tag.mid(key.size() + 1).trimmed().toString();
    return true;
}

} // namespace

QStringList LrcReader::Parse(const QByteArray& bytes, const QString& heading)
{
    QString title;
    QString artist;
    qint64 offset = 0;
    QList<Timed> timed;
    ItemReader reader(CodePage(950).DecodeFile(bytes));
    while (!reader.AtEnd()) {
        const QString line = reader.NextLine().trimmed();
        QStringView rest(line);
        QList<qint64> times;
        while (rest.startsWith('[')) {
            const qsizetype close = rest.indexOf(']');
            if (close < 0)
                break;
            const QStringView tag = rest.mid(1, close - 1).trimmed();
            if (std::optional<qint64> ms = TagTime(tag)) {
                times.append(*ms);
                rest = rest.mid(close + 1);
                continue;
            }
            QString value;
            if (times.isEmpty()) {
                if (Header(tag, u"ti", value)) {
                    title = value;
                } else if (Header(tag, u"ar", value)) {
                    artist = value;
                } else if (Header(tag, u"offset", value)) {
                    bool ok = false;
                    const qint64 number = value.toLongLong(&ok);
                    // Beyond a day it is damage, not an adjustment.
                    if (ok && number > -86400000 && number < 86400000)
                        offset = number;
                }
            }
            break;
        }
        const QString text = rest.trimmed().toString();
        for (qint64 ms : times)
            timed.append({ms, text});
    }

    QStringList lines;
    for (Timed& line : timed)
        line.ms = std::max<qint64>(0, line.ms - offset);
    timed.removeIf([](const Timed& line) { return line.ms > kLastMs; });
    if (timed.isEmpty())
        return lines;
    std::stable_sort(timed.begin(), timed.end(),
                     [](const Timed& a, const Timed& b) { return a.ms < b.ms; });

    QStringList names;
    for (const QString& name : {title, artist}) {
        if (!name.isEmpty())
            names.append(name);
    }
    lines.append(names.isEmpty() ? heading : names.join(" - "));
    for (const Timed& line : timed)
        lines.append(line.text.isEmpty() ? TagText(line.ms) : TagText(line.ms) + " " + line.text);
    return lines;
}

QStringList LrcReader::Read(const DosFiles& files, const QString& dosPath)
{
    QByteArray bytes;
    if (!files.ReadAll(dosPath, bytes) || bytes.isEmpty())
        return {};
    QString name = FileNamePart(dosPath);
    const qsizetype dot = name.lastIndexOf('.');
    if (dot > 0)
        name.truncate(dot);
    return Parse(bytes, name);
}

} // namespace tolvane
