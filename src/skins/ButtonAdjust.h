#pragma once

namespace tolvane {

class FrmColor;
class FrmVCD;

// The selection frame around the button the colour window works on: two pixels
// outside it on every side, in front; hidden when `show` is false.
void ButtonAdj(FrmVCD& vcd, const FrmColor& color, bool show);

} // namespace tolvane
