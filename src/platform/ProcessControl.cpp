#include "platform/ProcessControl.h"

#include <QCoreApplication>

namespace tolvane {

void AppProcessControl::End(int code)
{
    QCoreApplication::exit(code);
}

} // namespace tolvane
