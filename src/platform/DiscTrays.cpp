#include "platform/DiscTrays.h"

#include "platform/DriveMap.h"

#include <QDir>
#include <QFileInfo>

namespace tolvane {

QString DiscTrays::Key(const QString& source)
{
    return QDir::cleanPath(QFileInfo(source).absoluteFilePath());
}

bool DiscTrays::IsOpen(const QString& source) const
{
    return open_.value(Key(source), false);
}

void DiscTrays::SetOpen(const QString& source, bool open)
{
    QString key = Key(source);
    if (open_.value(key, false) == open)
        return;
    open_.insert(key, open);
    Q_EMIT TrayMoved(key, open);
}

bool DiscTrays::HoldsMedium(const Drive& drive) const
{
    return drive.HasVirtualTray() && !IsOpen(drive.root) && QFileInfo::exists(drive.root);
}

} // namespace tolvane
