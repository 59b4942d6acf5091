// A disc image: the input as the BIN file of a cue sheet of one data track, in Mode 1
// and in Mode 2 (as a Video CD's), and as a plain ISO image of 2048-byte sectors.
#include "DiscFuzz.h"

namespace {

const char* const kCueSheets[] = {
    "FILE \"disc.bin\" BINARY\r\n  TRACK 01 MODE1/2352\r\n    INDEX 01 00:00:00\r\n",
    "FILE \"disc.bin\" BINARY\r\n  TRACK 01 MODE2/2352\r\n    INDEX 01 00:00:00\r\n"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::QuietDiscLibrary();
    const QString folder = fuzz::Folder() + "/bin";
    static const bool made = QDir().mkpath(folder);
    (void)made;
    const QByteArray bytes = fuzz::Bytes(data, size);
    fuzz::WriteFile(folder + "/disc.bin", bytes);
    for (const char* cue : kCueSheets) {
        fuzz::WriteFile(folder + "/disc.cue", cue);
        fuzz::ReadDisc(folder + "/disc.cue");
    }
    fuzz::WriteFile(folder + "/disc.iso", bytes);
    fuzz::ReadDisc(folder + "/disc.iso");
    return 0;
}
