#pragma once

#include "platform/CdDisc.h"

#include <QString>
#include <memory>
#include <optional>

namespace tolvane {

// The sectors of a disc, by logical sector number: the disc in a drive or a disc
// image read through libcdio, or a plain ISO image of 2048-byte sectors read as a
// file. Each reader has a handle of its own, so a reader belongs to one thread.
class DiscSectors
{
public:
    static constexpr int kDataBytes = 2048;
    static constexpr int kForm2RawBytes = 2336; // subheader, 2324 data bytes, EDC

    // Nothing when the source cannot be opened.
    static std::unique_ptr<DiscSectors> Open(const QString& source, bool image);
    // Whether a file is an ISO image of 2048-byte sectors: "CD001" where the first
    // volume descriptor belongs.
    static bool IsIsoImage(const QString& path);

    virtual ~DiscSectors() = default;

    virtual std::optional<CdToc> Toc() = 0;
    // The 2048 bytes of user data of each of `count` sectors from `lsn`.
    virtual bool ReadData(int lsn, int count, char* out) = 0;
    // Mode 2 sectors from their subheader on, kForm2RawBytes each; false on a disc
    // that has none.
    virtual bool ReadForm2(int lsn, int count, char* out) = 0;
    // The submode byte of a Mode 2 sector's subheader; nothing on other sectors.
    virtual std::optional<unsigned char> Submode(int lsn) = 0;
};

} // namespace tolvane
