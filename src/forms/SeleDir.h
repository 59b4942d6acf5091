#pragma once

#include <QString>

class QWidget;

namespace tolvane {

class Context;
class Forms;

// Opens the directory chooser on the chooser's path and pattern and returns once the
// user has closed it; the choice is then in the chooser's path.
void ModSeleDir(Context& context, Forms& forms);

// The callers' protocol: `caller` is disabled while the chooser is open. Returns the
// chosen folder, the start folder when the window's close box was used, or an empty
// string after Cancel.
QString ChooseFolder(Context& context, Forms& forms, QWidget& caller, const QString& start,
                     const QString& pattern);

} // namespace tolvane
