#pragma once

#include "forms/SkinButton.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QScrollBar>
#include <QWidget>
#include <array>

namespace tolvane {

// The button colour window: the colour kind, the palette bars (red, green, blue
// amounts and light) and the button kinds that an update regenerates.
class FrmColor : public QWidget
{
    Q_OBJECT
public:
    explicit FrmColor(QWidget* parent = nullptr);

    std::array<QRadioButton*, 3> ColorType{}; // natural, tinted, transparent
    std::array<QScrollBar*, 4> VScroll1{};
    std::array<QCheckBox*, 3> Check2{}; // function, song-selection, control buttons

    // Index of the first colour kind that is on, 0 when none is.
    int SelectedKind() const;

    // The button the window works on and its mask box; none until one is clicked.
    QWidget* Selected = nullptr;
    MaskBox* SelectedMask = nullptr;
};

} // namespace tolvane
