#pragma once

#include <QSize>

namespace tolvane {

class Context;
class Forms;
class FrmPlay;
struct MediaContext;

// The separate video window FrmPlay, used when the skin has no picture area: its size
// from the size menu and the enlarge button, kept within the screen, placed beside the
// main window or centred, up to full screen, and titled with the file and the sizes.
class VideoWindow
{
public:
    VideoWindow(Context& context, Forms& forms, MediaContext& media);

    // A file has just opened in the window: its natural size is recorded, and it is
    // shown at that size unless full screen was chosen, which stays from file to file.
    void FileOpened();
    // The size menu: 0 half, 1 natural, 2 one and a half, 3 double, 4 full screen.
    void mSize_Click(int index);
    // Keeps the requested size within the screen, then sizes the window and shows the
    // size in the status label.
    void ChkVCDSize();
    // Sizes, places and titles the window for the requested size.
    void VCDResize();
    // A left click in the video hides the main window, or brings it back.
    void MCIWnd1_MouseDown(int button);
    // The display changed: a full-screen video takes the new screen, another keeps
    // within it.
    void DisplayChanged();

    QSize NaturalSize() const { return natural_; }

private:
    QSize Screen() const;
    int MainWidth() const;
    void MeasureBorder(FrmPlay& play);

    Context& context_;
    Forms& forms_;
    MediaContext& media_;
    QSize natural_;
    QSize lastSize_;   // the requested size last applied
    QSize lastScreen_; // the screen it was applied on
};

} // namespace tolvane
