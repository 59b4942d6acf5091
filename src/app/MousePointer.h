#pragma once

namespace tolvane {

enum class Pointer { Default, Hourglass, ArrowHourglass };

// The pointer shown over every window of the program while it works.
void SetMousePointer(Pointer pointer);

} // namespace tolvane
