#include "app/Log.h"

#include "app/Product.h"
#include "app/Text.h"
#include "platform/Platform.h"

#include <utility>

#include <sys/stat.h>

namespace tolvane {

namespace {

// True when the open file no longer has a name in its folder.
bool Unlinked(const QFile& file)
{
    struct stat info;
    return ::fstat(file.handle(), &info) != 0 || info.st_nlink == 0;
}

// A line stays one line whatever a name holds: control characters (a newline in a
// file name) are written as "?".
QString Visible(const QString& message)
{
    QString line = message;
    for (QChar& c : line) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u < 0xA0) || u == 0x2028 || u == 0x2029)
            c = '?';
    }
    return line;
}

} // namespace

Log::Log(Platform& platform) : platform_(platform) {}

QString Log::Path() const
{
    return PathJoin(platform_.programFolder, "TL99.log");
}

QString Log::ShortDate() const
{
    return tolvane::ShortDate(platform_.clock.Now().date());
}

void Log::LogOpen()
{
    QString now = platform_.clock.Now().toString("HH:mm:ss");
    Write(ShortDate() + "\r\n" + now + " 進入" + Product::NameWithRevision() + "\r\n", true);
    opened_ = true;
    for (const QString& line : std::exchange(waiting_, {}))
        Write(line, false);
}

void Log::LogWriteKept(const QString& message)
{
    if (opened_)
        LogWrite(message);
    else
        waiting_.append(time_.Of(platform_.clock.Now()) + " " + message + "\r\n");
}

void Log::LogWrite(const QString& message)
{
    LogWrite(message, platform_.clock.Now());
}

void Log::LogWrite(const QString& message, const QDateTime& now)
{
    Write(time_.Of(now) + " " + Visible(message) + "\r\n", false);
}

// Lines are in the ANSI code page. A line it cannot carry turns the whole log into
// UTF-8 with a byte-order mark, so nothing is lost; that happens at most once a run.
void Log::Write(const QString& text, bool truncate)
{
    static const QByteArray bom("\xEF\xBB\xBF");
    const DosFiles& files = platform_.files;
    QByteArray ansi;
    bool fits = platform_.codePage.TryEncode(text, ansi);
    if (truncate) {
        held_.clear();
        file_.reset();
        files.WriteAll(Path(), fits ? ansi : bom + text.toUtf8());
        utf8_ = !fits;
        return;
    }
    // Only a log this run did not open has to be looked at for its encoding.
    if (!utf8_)
        utf8_ = files.ReadHead(Path(), bom.size()) == bom;
    if (*utf8_ || fits) {
        const QByteArray bytes = *utf8_ ? text.toUtf8() : ansi;
        if (batches_ > 0)
            held_ += bytes;
        else
            Append(bytes);
    } else {
        Flush();
        file_.reset();
        QByteArray existing;
        files.ReadAll(Path(), existing);
        QString before = platform_.codePage.Decode(existing);
        files.WriteAll(Path(), bom + before.toUtf8() + text.toUtf8());
        utf8_ = true;
    }
}

void Log::Flush()
{
    if (held_.isEmpty())
        return;
    Append(held_);
    held_.clear();
}

bool Log::Append(const QByteArray& bytes)
{
    // A log deleted while the program runs starts again as a new file.
    if (file_ && Unlinked(*file_))
        file_.reset();
    if (!file_) {
        file_ = std::make_unique<QFile>();
        if (!platform_.files.Open(Path(), *file_, QIODevice::Append | QIODevice::Unbuffered)) {
            file_.reset();
            return false;
        }
    }
    if (file_->write(bytes) == bytes.size())
        return true;
    // A failed write (a full disk, a file gone) is tried once more on a fresh open.
    file_.reset();
    return platform_.files.Append(Path(), bytes);
}

} // namespace tolvane
