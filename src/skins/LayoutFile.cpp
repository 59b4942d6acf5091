#include "skins/LayoutFile.h"

namespace tolvane {

void LayoutFile::WriteDefaultLayout() {}

void LayoutFile::ReadLayout() {}

} // namespace tolvane
