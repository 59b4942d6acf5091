#include "app/Log.h"

#include "app/Product.h"
#include "app/Text.h"
#include "platform/Platform.h"

#include <QLocale>

namespace tolvane {

Log::Log(Platform& platform) : platform_(platform) {}

QString Log::Path() const
{
    return PathJoin(platform_.programFolder, "TL99.log");
}

QString Log::ShortDate() const
{
    QDate today = platform_.clock.Now().date();
    QLocale locale = QLocale::system();
    // The C locale has no short date of its own; use the Taiwanese form.
    if (locale.language() == QLocale::C)
        return today.toString("yyyy/M/d");
    return locale.toString(today, QLocale::ShortFormat);
}

void Log::LogOpen()
{
    QString now = platform_.clock.Now().toString("HH:mm:ss");
    Write(ShortDate() + "\r\n" + now + " 進入" + Product::NameWithRevision() + "\r\n", true);
}

void Log::LogWrite(const QString& message)
{
    Write(platform_.clock.Now().toString("HH:mm:ss") + " " + message + "\r\n", false);
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
        files.WriteAll(Path(), fits ? ansi : bom + text.toUtf8());
        utf8_ = !fits;
        return;
    }
    // Only a log this run did not open has to be looked at for its encoding.
    if (!utf8_)
        utf8_ = files.ReadHead(Path(), bom.size()) == bom;
    if (*utf8_) {
        files.Append(Path(), text.toUtf8());
    } else if (fits) {
        files.Append(Path(), ansi);
    } else {
        QByteArray existing;
        files.ReadAll(Path(), existing);
        QString before = platform_.codePage.Decode(existing);
        files.WriteAll(Path(), bom + before.toUtf8() + text.toUtf8());
        utf8_ = true;
    }
}

} // namespace tolvane
