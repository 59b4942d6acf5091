#include "lyrics/LyricsReader.h"

#include "app/Text.h"
#include "platform/CodePage.h"
#include "platform/DosFiles.h"

namespace tolvane {

QStringList LyricsReader::Parse(const QByteArray& bytes)
{
    QStringList lines;
    ItemReader items(CodePage(950).DecodeFile(bytes));
    while (!items.AtEnd()) {
        QString item = items.Next();
        if (!item.isEmpty())
            lines.append(item);
    }
    return lines;
}

QStringList LyricsReader::Read(const DosFiles& files, const QString& dosPath)
{
    QByteArray bytes;
    if (!files.ReadAll(dosPath, bytes) || bytes.isEmpty())
        return {};
    return Parse(bytes);
}

} // namespace tolvane
