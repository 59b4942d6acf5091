#pragma once

#include "forms/SkinButton.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QWidget>
#include <array>

namespace tolvane {

// The button colour window: the colour kind, the palette bars (red, green, blue
// amounts and light) with their values and the colour they add, the colour pick,
// the button kinds that an update regenerates, the button size and the commands that
// save, regenerate and restore the layout.
class FrmColor : public QWidget
{
    Q_OBJECT
public:
    explicit FrmColor(QWidget* parent = nullptr);

    std::array<QRadioButton*, 3> ColorType{}; // natural, tinted, transparent
    QGroupBox* Frame3 = nullptr;              // the palette; its caption follows the kind
    std::array<QScrollBar*, 4> VScroll1{};
    std::array<QLabel*, 4> Label2{};         // the bars' values as the faces use them
    QLabel* FPicColor = nullptr;             // the colour the palette adds
    QCheckBox* Check1 = nullptr;             // take a colour from the skin
    std::array<QCheckBox*, 3> Check2{};      // function, song-selection, control buttons
    std::array<QRadioButton*, 3> MaskSize{}; // custom, unchanged, mask size
    std::array<QLineEdit*, 2> Text1{};       // height, width
    QPushButton* Command1 = nullptr;         // update all buttons
    QPushButton* Command2 = nullptr;         // close
    QPushButton* Command3 = nullptr;         // palette to zero
    QPushButton* Command4 = nullptr;         // the built-in layout
    QPushButton* Command5 = nullptr;         // save the layout

    // Index of the first colour kind that is on, 0 when none is.
    int SelectedKind() const;

    // The object the window works on and its mask box (none for a label); none until
    // one is clicked.
    QWidget* Selected = nullptr;
    MaskBox* SelectedMask = nullptr;

Q_SIGNALS:
    // The window went out of sight other than by being minimised.
    void hidden();

protected:
    void hideEvent(QHideEvent* event) override;
};

} // namespace tolvane
