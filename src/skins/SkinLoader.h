#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <functional>

namespace tolvane {

class DosFiles;

class ButtonFaces;
class Context;
class Forms;
class LayoutFile;

// The skin catalogue and the loading of a skin into the main window.
class SkinLoader
{
public:
    SkinLoader(Context& context, Forms& forms, ButtonFaces& faces, LayoutFile& layout)
        : context_(context), forms_(forms), faces_(faces), layout_(layout)
    {
    }

    // Fills the skin menu: one entry per picture, with its size, enabled when it fits.
    void ChkDeskFile();
    // Measures the screen and warns when the current skin no longer fits.
    void ScreenResize();
    // The layout file and first cache file of the current skin.
    void ChkDeskName();
    // Loads the current skin: picture, window, outline and buttons.
    void DeskUpdate(bool rebuild = false);
    // Shows a newly chosen skin with its own layout.
    void DeskShow();
    // A skin menu entry was chosen.
    void SkinMenuClick(const QString& path);
    void ADJForm();

    static QString DefaultSkinPicture(const QString& programFolder);
    // Picture size from the file header, by extension; empty when unreadable.
    static QSize HeaderSize(const DosFiles& files, const QString& path);
    // The size a picture file says it has, read from its header only; empty when it
    // is no picture.
    static QSize PictureSize(const DosFiles& files, const QString& path);
    // The label colour that stands out from a picture colour (0x00BBGGRR).
    static unsigned InvertColor(unsigned colour);
    // The screen width that belongs to a screen height.
    static int StandardWidth(int height, int measuredWidth);

    // The picture browser, for the user to pick a skin that fits the screen.
    std::function<void()> chooseSkin;
    // A skin has been loaded and its window shown.
    std::function<void()> skinShown;

private:
    bool DeskLoad();
    void ColourLabels(const QImage& picture);

    Context& context_;
    Forms& forms_;
    ButtonFaces& faces_;
    LayoutFile& layout_;
};

} // namespace tolvane
