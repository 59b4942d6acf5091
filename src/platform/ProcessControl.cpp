#include "platform/ProcessControl.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QUrl>

namespace tolvane {

void AppProcessControl::End(int code)
{
    QCoreApplication::exit(code);
}

bool AppProcessControl::OpenDocument(const QString& localPath)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(localPath));
}

} // namespace tolvane
