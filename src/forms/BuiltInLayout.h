#pragma once

// The main window's built-in layout, made for the default skin: left, top,
// width and height in skin pixels. The window places its objects here and the
// resource generator (scripts/resources) draws every skin around the same
// boxes, so the button faces are cut from where the skins draw the buttons.

namespace tolvane {

struct LayoutBox
{
    int x, y, w, h;
};

namespace builtin {

// The default skin's size, and the window's before a skin is loaded.
inline constexpr int kFaceW = 576;
inline constexpr int kFaceH = 360;

inline constexpr int kCtlCount = 14;
inline constexpr int kNumCount = 10; // nine tracks and the page key
inline constexpr int kButtonCount = 5;
inline constexpr int kTimeCount = 4;

// Control panel (PicCtl), indexed as the program indexes them.
inline constexpr LayoutBox kCtl[kCtlCount] = {
    {447, 106, 50, 24}, // 0 play
    {447, 136, 50, 24}, // 1 stop
    {390, 136, 50, 24}, // 2 back
    {390, 166, 50, 24}, // 3 volume down
    {504, 166, 50, 24}, // 4 volume up
    {504, 136, 50, 24}, // 5 forward
    {504, 310, 50, 24}, // 6 continuous capture: never shown, parked on the name plate
    {447, 166, 50, 24}, // 7 eject / load
    {538, 11, 18, 16},  // 8 exit
    {22, 326, 352, 14}, // 9 position track
    {390, 106, 50, 24}, // 10 previous
    {504, 106, 50, 24}, // 11 next
    {514, 11, 18, 16},  // 12 hide
    {22, 326, 24, 14},  // 13 position knob (starts at the left of the track)
};

// Number pad (PicNum): nine track keys and the page key (last).
inline constexpr LayoutBox kNum[kNumCount] = {
    {390, 210, 30, 20}, {423, 210, 30, 20}, {456, 210, 30, 20}, {489, 210, 30, 20},
    {522, 210, 30, 20}, {390, 234, 30, 20}, {423, 234, 30, 20}, {456, 234, 30, 20},
    {489, 234, 30, 20}, {522, 234, 30, 20},
};

// Function buttons (PicButton): open disc, enlarge video, change skin and
// settings on the panel; the fifth, the colour window's, sits in the title bar.
inline constexpr int kPanelButtons = 4;
inline constexpr LayoutBox kButton[kButtonCount] = {
    {390, 270, 38, 20}, {432, 270, 38, 20}, {474, 270, 38, 20},
    {516, 270, 38, 20}, {300, 11, 18, 16},
};

// Time labels (Label2): elapsed, length, the item line (volume, speed, track
// text), and a fourth beside it.
inline constexpr LayoutBox kTime[kTimeCount] = {
    {398, 62, 70, 16},
    {478, 62, 70, 16},
    {398, 80, 150, 18},
    {478, 82, 70, 14},
};

inline constexpr LayoutBox kText = {22, 296, 352, 18};    // status and lyrics line (Label1)
inline constexpr LayoutBox kPicture = {22, 44, 352, 240}; // picture / video area (Image1)
// The logo text (Label3); its shadow lies one pixel right and down.
inline constexpr LayoutBox kLogo = {14, 12, 160, 28};
inline constexpr int kLogoShadow = 1;

} // namespace builtin

} // namespace tolvane
