#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace tolvane {

// Path and text helpers shared by the whole program; paths are DOS paths.

// The file-name part of `name` appended to `folder` with exactly one "\" between.
QString PathJoin(const QString& folder, const QString& name);
// The text before the last "\" when the path holds a dot anywhere, else the path.
QString FolderPart(const QString& path);
// The text after the last "\".
QString FileNamePart(const QString& path);
// Up to three characters after a dot found among the last five, lower-cased.
QString ExtName(const QString& path);
// The rightmost `digits` digits of the number written after ten zeros.
QString ZeroPad(long long number, int digits);

// A date in the system's short form ("2004/5/6" on a Taiwanese system).
QString ShortDate(const QDate& date);

// The leading number of a text, 0 when there is none (blanks before it skipped).
double LenientNumber(const QString& text);
// Rounds halves to the even neighbour, as the system's conversions do. A value beyond
// the range of long long gives its largest magnitude with the value's sign; NaN gives 0.
long long RoundHalfEven(double value);
// A 16-bit integer from a stored text; false when it is not one.
bool ToInt16(const QString& text, int& out);
// "True"/"False" (any case) or a number (non-zero is true); false when neither.
bool ToBool(const QString& text, bool& out);
// The stored form of a boolean.
inline QString BoolText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

// Reads items one after another: an item ends at a line end or an ASCII comma;
// blanks around it and a pair of surrounding quotes are dropped.
class ItemReader
{
public:
    explicit ItemReader(QString text);
    bool AtEnd() const;
    QString Next();
    // The rest of the current line as one item (a line read).
    QString NextLine();

private:
    QString text_;
    qsizetype pos_ = 0;
};

// "HH:mm:ss" of a time, formatted again only when the second changes: formatting costs
// more than a log line, and a folder scan writes thousands of lines a second.
class ClockText
{
public:
    const QString& Of(const QDateTime& now);

private:
    qint64 second_ = -1;
    QString text_;
};

} // namespace tolvane
