// A disc image whose sectors from 16 on are the input, the system area before them
// empty: the volume descriptors come first, so small inputs reach the folders.
#include "platform/DiscSectors.h"
#include "platform/IsoFileSystem.h"

#include <cstring>

using namespace tolvane;

namespace {

class InputSectors : public DiscSectors
{
public:
    InputSectors(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    std::optional<CdToc> Toc() override { return std::nullopt; }
    bool ReadData(int lsn, int count, char* out) override
    {
        for (int i = 0; i < count; ++i) {
            char* sector = out + qsizetype(i) * kDataBytes;
            std::memset(sector, 0, kDataBytes);
            const qint64 at = (qint64(lsn) + i - 16) * kDataBytes;
            if (at >= 0 && at < qint64(size_))
                std::memcpy(sector, data_ + at, size_t(std::min<qint64>(kDataBytes, size_ - at)));
        }
        return lsn >= 0;
    }
    bool ReadForm2(int, int, char*) override { return false; }
    std::optional<unsigned char> Submode(int) override { return std::nullopt; }

private:
    const uint8_t* data_;
    size_t size_;
};

// Lists every folder down to a few levels, as the music scan does.
void Walk(const IsoFileSystem& fs, const QString& path, int depth)
{
    QList<IsoEntry> entries;
    if (depth > 4 || !fs.List(path, entries))
        return;
    for (const IsoEntry& entry : entries) {
        const QString inside = path + "/" + entry.name;
        if (entry.folder)
            Walk(fs, inside, depth + 1);
        else
            fs.Find(inside);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    InputSectors disc(data, size);
    if (std::optional<IsoFileSystem> fs = IsoFileSystem::Read(disc, 0))
        Walk(*fs, QString(), 0);
    return 0;
}
