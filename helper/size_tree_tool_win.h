// Letter 3 of the helper: the size tree of the selection.
#pragma once

#include "helper/tools.h"

namespace helper {

// Prompt for the name patterns and attributes, then the size tree dialog.
ToolEnd runSizeTree(const ToolRun& run);

} // namespace helper
