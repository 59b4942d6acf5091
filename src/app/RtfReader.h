#pragma once

#include <QByteArray>

class QTextDocument;

namespace tolvane {

// Fills `doc` (cleared first) from RTF bytes: paragraphs, bold/italic/underline, font
// sizes, colours, alignment and text in the document's code page (950 unless it says
// otherwise). Returns false when the bytes are not RTF (no leading "{\rtf"); the document
// then holds the bytes as plain text decoded with CodePage(950).DecodeFile.
bool ReadRtf(const QByteArray& rtf, QTextDocument& doc);

} // namespace tolvane
