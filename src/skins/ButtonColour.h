#pragma once

#include <QColor>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <array>

class QWidget;

namespace tolvane {

class ButtonFaces;
class Context;
class Forms;
class FrmColor;
class FrmVCD;
class LayoutFile;
class SkinLoader;
struct MaskBox;

// The button colour window's procedures: the colour kind and palette, the colour
// taken from the skin, the size of the selected button, and saving, regenerating and
// restoring the layout of the current skin.
class ButtonColour
{
public:
    ButtonColour(Context& context, Forms& forms, ButtonFaces& faces, LayoutFile& layout,
                 SkinLoader& skins)
        : context_(context), forms_(forms), faces_(faces), layout_(layout), skins_(skins)
    {
    }

    // Wires the window's controls; once, when the window is made.
    void Connect(FrmColor& color);
    // Wires the colour pick to presses on the main window's background.
    void ConnectMain(FrmVCD& vcd);

    // What the window shows of the colour settings it holds: the kind's palette caption
    // and enabling, the bars' values and the colour they add.
    static void ShowSettings(FrmColor& color);
    // The colour the palette adds, each channel |amount| minus the light bar, kept
    // within 0..255.
    static QColor Preview(const std::array<int, 4>& bars);
    // The bars that take a colour (0x00BBGGRR): the amounts negated, light neutral.
    static std::array<int, 4> PickedBars(unsigned colour);
    // Where an object lies wholly within an area of the given size, moved as little as
    // it takes; an object larger than the area keeps to its top-left corner.
    static QPoint Inside(const QRect& object, QSize area);
    // Every object the layout places, within the main window.
    static void KeepObjectsInside(FrmVCD& vcd);

    void ColorType_Click(int kind);
    void VScroll1_Change();
    void Check1_Click(bool on);
    // A left press on the main window's background while the pick is on.
    void PickColour(QPoint at);
    // The window is bound to an object: framed, its size shown in the size fields.
    void Select(QWidget* object, MaskBox* mask);
    void MaskSize_Click(int option);
    // The size fields were confirmed: the selected button takes their size when the
    // mask size option is on.
    void Text1_Confirmed();
    void Command1_Click(); // update all buttons
    void Command5_Click(); // save the layout
    void Command4_Click(); // the built-in layout, sizes kept
    void Command3_Click(); // palette to zero
    void CloseMe();

private:
    bool Picking() const;
    // The main window's pointer: the pick pointer while picking, the default otherwise.
    void ShowPickPointer();
    void SaveLayout();
    // Editing has ended: no frame, no pick.
    void EndEditing();

    Context& context_;
    Forms& forms_;
    ButtonFaces& faces_;
    LayoutFile& layout_;
    SkinLoader& skins_;
    QObject guard_; // ends the window's connections with this object
};

} // namespace tolvane
