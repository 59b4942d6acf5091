#include "platform/ProcessControl.h"

#include <QDesktopServices>
#include <QUrl>
#include <cstdio>
#include <unistd.h>

namespace tolvane {

// The exit is reached from inside nested event loops (waits, opens, message boxes);
// returning to them would run the procedures that waited over a program already
// taken down. The program's files are complete on disk by then (saved whole, the log
// unbuffered), so only the standard streams are flushed.
void AppProcessControl::End(int code)
{
    for (auto release = releases_.rbegin(); release != releases_.rend(); ++release)
        (*release)();
    std::fflush(nullptr);
    ::_exit(code);
}

bool AppProcessControl::OpenDocument(const QString& localPath)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(localPath));
}

} // namespace tolvane
