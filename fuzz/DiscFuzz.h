// A disc image read as the player reads a CD-ROM drive that stands for it: whether it
// is there and whole, its table of contents and a few sectors, the root folder and the
// folders in it, and the volume serial and label.
#pragma once

#include "FuzzSupport.h"
#include "platform/CdDisc.h"
#include "platform/DiscFolders.h"
#include "platform/DiscSectors.h"
#include "platform/DiscTrays.h"
#include "platform/DriveMap.h"
#include "platform/VolumeSerial.h"

#include <vector>

namespace fuzz {

// libcdio's complaints about a damaged image are expected here by the thousand.
inline void QuietDiscLibrary()
{
    static const bool quiet = [] {
        tolvane::QuietCdioLog();
        QuietQt();
        return true;
    }();
    (void)quiet;
}

inline void ReadSectors(tolvane::DiscSectors& disc, const tolvane::CdToc& toc)
{
    using tolvane::DiscSectors;
    std::vector<char> data(4 * DiscSectors::kDataBytes);
    std::vector<char> form2(2 * DiscSectors::kForm2RawBytes);
    QList<int> sectors = {0, 16, toc.leadout - 1, toc.leadout};
    if (std::optional<int> start = toc.DataStart())
        sectors += {*start, *start + 16};
    for (const tolvane::CdTrack& track : toc.tracks)
        sectors += {track.start, track.start + track.length - 1};
    for (int i = 0; i < sectors.size() && i < 12; ++i) {
        disc.ReadData(sectors[i], 1, data.data());
        disc.ReadData(sectors[i], 4, data.data());
        disc.ReadForm2(sectors[i], 2, form2.data());
        disc.Submode(sectors[i]);
    }
}

inline void ReadDisc(const QString& image)
{
    using namespace tolvane;
    DiscImagePresent(image);
    DiscImageDamaged(image);
    if (std::unique_ptr<DiscSectors> disc = DiscSectors::Open(image, true)) {
        if (std::optional<CdToc> toc = disc->Toc())
            ReadSectors(*disc, *toc);
    }
    QList<DiscEntry> root;
    if (DiscFolders::List(image, true, QString(), root)) {
        int folders = 0;
        for (const DiscEntry& entry : root) {
            QList<DiscEntry> inside;
            if (entry.folder && folders++ < 3)
                DiscFolders::List(image, true, entry.name, inside);
        }
    }
    DiscTrays trays;
    DriveMap drives({{'D', image, kDriveCdrom}});
    drives.SetTrays(&trays);
    VolumeSerial::Read(drives, "D:\\");
}

} // namespace fuzz
