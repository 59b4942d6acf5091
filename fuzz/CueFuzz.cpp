// A cue sheet beside a small disc image of its own name (a data track, then audio):
// the cue sheet is the input, the image the same for every input.
#include "DiscFuzz.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::QuietDiscLibrary();
    const QString folder = fuzz::Folder() + "/cue";
    static const bool made = [&] {
        QFile image(TOLVANE_FUZZ_DATA "/disc.bin");
        if (!QDir().mkpath(folder) || !image.open(QIODevice::ReadOnly))
            std::abort();
        fuzz::WriteFile(folder + "/disc.bin", image.readAll());
        return true;
    }();
    (void)made;
    fuzz::WriteFile(folder + "/disc.cue", fuzz::Bytes(data, size));
    fuzz::ReadDisc(folder + "/disc.cue");
    return 0;
}
