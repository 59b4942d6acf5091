#pragma once

#include <QString>

namespace tolvane {

class Prompter;

// The message service: a modal box of one of the kinds "ok", "error", "info", "exc",
// "yesno" (no case); returns the pressed button's code as text ("1", "6", "7").
// `extraStyle` adds style bits to the kind's, such as kMbDefButton2.
QString ShowMessage(Prompter& prompter, const QString& prompt, const QString& kind,
                    int extraStyle = 0);

} // namespace tolvane
