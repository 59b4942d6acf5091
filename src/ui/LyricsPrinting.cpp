#include "ui/LyricsPrinting.h"

#include "app/Context.h"
#include "app/Messages.h"
#include "lyrics/LyricsPrint.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace tolvane {

bool PrinterInstalled()
{
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

void PrintLyrics(Context& context, const QStringList& dosPaths, QWidget* parent)
{
    if (dosPaths.isEmpty())
        return;
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("歌詞列印"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    PrintLyricsOn(context, dosPaths, printer);
}

bool PrintLyricsOn(Context& context, const QStringList& dosPaths, QPrinter& printer)
{
    const LyricsPrintResult result = LyricsPrint(context.platform.files).Print(dosPaths, printer);
    if (!result.ok) {
        const QString where =
            printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
        context.log.LogWrite("列印失敗 " + where + ": " + result.error);
        ShowMessage(context.platform.prompter, "列印失敗: " + result.error + "\r\n" + where,
                    "error");
        return false;
    }
    context.log.LogWrite("列印歌詞 " + QString::number(dosPaths.size()) + " 個檔案, " +
                         QString::number(result.pages) + " 頁");
    ShowMessage(context.platform.prompter, "列印完畢 !!", "ok");
    return true;
}

} // namespace tolvane
