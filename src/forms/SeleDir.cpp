#include "forms/SeleDir.h"

#include "app/Context.h"
#include "forms/Forms.h"
#include "forms/FrmSeleDir.h"

#include <QWidget>

namespace tolvane {

void ModSeleDir(Context& context, Forms& forms)
{
    ChooserState& chooser = context.app.Chooser;
    chooser.Open = true;
    FrmSeleDir& window = forms.SeleDir();
    window.RefreshDrives();
    // A drive that is not ready or a folder that is gone leaves the lists where
    // they are; the window opens all the same.
    window.SetDrive(chooser.Path.left(2));
    window.Dir1->SetPath(chooser.Path);
    window.SetPattern(chooser.Pattern);
    window.show();
    window.raise();
    while (chooser.Open && !context.Ended())
        context.platform.clock.WaitForEvents();
}

QString ChooseFolder(Context& context, Forms& forms, QWidget& caller, const QString& start,
                     const QString& pattern)
{
    caller.setEnabled(false);
    context.app.Chooser.Path = start;
    context.app.Chooser.Pattern = pattern;
    ModSeleDir(context, forms);
    caller.setEnabled(true);
    return context.app.Chooser.Path;
}

} // namespace tolvane
