#include "fakes/FakeMci.h"

namespace tolvane {

int FakeMci::Execute(const QString& command, QString& answer)
{
    QString key = Key(command);
    answer = replies.value(key);
    int code = codes.value(key, kMciOk);
    if (onCommand)
        onCommand(key);
    return code;
}

} // namespace tolvane
