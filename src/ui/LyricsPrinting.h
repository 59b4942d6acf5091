#pragma once

#include <QStringList>

class QPrinter;
class QWidget;

namespace tolvane {

class Context;

// Whether the system has a printer: without one the lyrics cannot be started.
bool PrinterInstalled();

// Asks for the printer (or a PDF file), prints the lyrics files in list order and tells
// the user how it went. Nothing is printed for an empty list or a cancelled dialog.
void PrintLyrics(Context& context, const QStringList& dosPaths, QWidget* parent);

// The printing on a printer already chosen, with its report: "列印完畢 !!" when done,
// otherwise an error message and a log line. True when the printing went through.
bool PrintLyricsOn(Context& context, const QStringList& dosPaths, QPrinter& printer);

} // namespace tolvane
