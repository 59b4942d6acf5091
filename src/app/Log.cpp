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

// Lines are in the ANSI code page; a character it lacks becomes "?" rather than
// turning a log of mixed encodings.
void Log::Write(const QString& text, bool truncate)
{
    QByteArray bytes = platform_.codePage.EncodeLossy(text);
    if (truncate)
        platform_.files.WriteAll(Path(), bytes);
    else
        platform_.files.Append(Path(), bytes);
}

} // namespace tolvane
