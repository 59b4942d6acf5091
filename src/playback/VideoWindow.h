#pragma once

namespace tolvane {

// The separate window that video plays in.
class VideoWindow
{
public:
    // The separate window keeps the size and place it has: these do nothing.
    void VCDResize() {}
    void ChkVCDSize() {}
};

} // namespace tolvane
