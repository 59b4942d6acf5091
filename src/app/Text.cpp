#include "app/Text.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace tolvane {

QString PathJoin(const QString& folder, const QString& name)
{
    QString base = folder;
    while (base.endsWith('\\'))
        base.chop(1);
    return base + "\\" + FileNamePart(name);
}

QString FolderPart(const QString& path)
{
    if (!path.contains('.'))
        return path;
    qsizetype slash = path.lastIndexOf('\\');
    return slash < 0 ? QString() : path.left(slash);
}

QString FileNamePart(const QString& path)
{
    return path.mid(path.lastIndexOf('\\') + 1);
}

QString ExtName(const QString& path)
{
    QString tail = path.right(5);
    qsizetype dot = tail.indexOf('.');
    if (dot < 0)
        return QString();
    // A name that is only a dot and an extension (".mp3") has none.
    const qsizetype at = path.size() - tail.size() + dot;
    if (at == 0 || path[at - 1] == '\\')
        return QString();
    return tail.mid(dot + 1, 3).toLower();
}

QString ZeroPad(long long number, int digits)
{
    return (QStringLiteral("0000000000") + QString::number(number)).right(digits);
}

double LenientNumber(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    qsizetype start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    qsizetype digitsStart = i;
    while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128)
        ++i;
    bool any = i > digitsStart;
    if (i < text.size() && text[i] == '.') {
        qsizetype fraction = ++i;
        while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128)
            ++i;
        any = any || i > fraction;
    }
    if (!any)
        return 0.0;
    qsizetype mantissaEnd = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        qsizetype j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        qsizetype expDigits = j;
        while (j < text.size() && text[j].isDigit() && text[j].unicode() < 128)
            ++j;
        if (j > expDigits)
            mantissaEnd = j;
    }
    double value = text.mid(start, mantissaEnd - start).toDouble();
    return std::isfinite(value) ? value : 0.0;
}

long long RoundHalfEven(double value)
{
    // Numbers read from files can lie beyond any integer; converting those is undefined.
    constexpr long long kMax = std::numeric_limits<long long>::max();
    constexpr double kLimit = 9223372036854775808.0; // 2^63, the first double past kMax
    if (std::isnan(value))
        return 0;
    const double rounded = std::nearbyint(value); // default mode: to nearest even
    if (rounded >= kLimit)
        return kMax;
    if (rounded <= -kLimit)
        return -kMax;
    return static_cast<long long>(rounded);
}

bool ToInt16(const QString& text, int& out)
{
    bool ok = false;
    double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return false;
    long long rounded = RoundHalfEven(value);
    if (rounded < -32768 || rounded > 32767)
        return false;
    out = static_cast<int>(rounded);
    return true;
}

bool ToBool(const QString& text, bool& out)
{
    QString trimmed = text.trimmed();
    if (trimmed.compare("True", Qt::CaseInsensitive) == 0) {
        out = true;
        return true;
    }
    if (trimmed.compare("False", Qt::CaseInsensitive) == 0) {
        out = false;
        return true;
    }
    bool ok = false;
    double value = trimmed.toDouble(&ok);
    if (!ok)
        return false;
    out = value != 0.0;
    return true;
}

QString ShortDate(const QDate& date)
{
    const QLocale locale = QLocale::system();
    // The C locale has no short date of its own; use the Taiwanese form.
    if (locale.language() == QLocale::C)
        return date.toString("yyyy/M/d");
    return locale.toString(date, QLocale::ShortFormat);
}

ItemReader::ItemReader(QString text) : text_(std::move(text)) {}

bool ItemReader::AtEnd() const
{
    return pos_ >= text_.size();
}

namespace {

QString CleanItem(QString item)
{
    item = item.trimmed();
    if (item.size() >= 2 && item.front() == '"' && item.back() == '"')
        item = item.mid(1, item.size() - 2);
    else if (item.startsWith('"'))
        item = item.mid(1);
    return item;
}

} // namespace

QString ItemReader::Next()
{
    // Leading blanks go first, so a quoted item may hold commas.
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t'))
        ++pos_;
    qsizetype start = pos_;
    bool quoted = pos_ < text_.size() && text_[pos_] == '"';
    if (quoted) {
        qsizetype close = text_.indexOf('"', pos_ + 1);
        qsizetype lineEnd = text_.indexOf('\n', pos_ + 1);
        if (close >= 0 && (lineEnd < 0 || close < lineEnd)) {
            QString item = text_.mid(pos_ + 1, close - pos_ - 1);
            pos_ = close + 1;
            // Skip to the end of the item: the next comma or line end.
            while (pos_ < text_.size() && text_[pos_] != ',' && text_[pos_] != '\n')
                ++pos_;
            if (pos_ < text_.size())
                ++pos_;
            return item;
        }
    }
    while (pos_ < text_.size() && text_[pos_] != ',' && text_[pos_] != '\n')
        ++pos_;
    QString item = text_.mid(start, pos_ - start);
    if (pos_ < text_.size())
        ++pos_;
    if (item.endsWith('\r'))
        item.chop(1);
    return CleanItem(item);
}

QString ItemReader::NextLine()
{
    qsizetype end = text_.indexOf('\n', pos_);
    if (end < 0)
        end = text_.size();
    QString line = text_.mid(pos_, end - pos_);
    pos_ = end + 1;
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

const QString& ClockText::Of(const QDateTime& now)
{
    const qint64 second =
        now.date().toJulianDay() * 86400 + now.time().msecsSinceStartOfDay() / 1000;
    if (second != second_) {
        second_ = second;
        text_ = now.toString("HH:mm:ss");
    }
    return text_;
}

} // namespace tolvane
