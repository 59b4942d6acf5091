// The read-me file in RTF (or any bytes in its place) read into a document and laid
// out at the width of the read-me window, as that window shows it.
#include "FuzzSupport.h"
#include "app/RtfReader.h"

#include <QGuiApplication>
#include <QTextDocument>

using namespace tolvane;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::Application<QGuiApplication>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QTextDocument doc;
    ReadRtf(fuzz::Bytes(data, size), doc);
    doc.setTextWidth(480);
    doc.size();
    return 0;
}
