#include "app/MousePointer.h"

#include <QApplication>
#include <QCursor>

namespace tolvane {

void SetMousePointer(Pointer pointer)
{
    if (pointer == Pointer::Default) {
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
        return;
    }
    Qt::CursorShape shape = pointer == Pointer::Hourglass ? Qt::WaitCursor : Qt::BusyCursor;
    if (QApplication::overrideCursor())
        QApplication::changeOverrideCursor(QCursor(shape));
    else
        QApplication::setOverrideCursor(QCursor(shape));
}

} // namespace tolvane
