// Letters 6 and 5 of the helper: file attributes and file date.
#pragma once

#include "helper/tools.h"

namespace helper {

// The attribute dialog, then the change on every file of the selection.
ToolEnd runAttributeTool(const ToolRun& run);
// The date dialog, then the stamp on every file of the selection.
ToolEnd runDateTool(const ToolRun& run);

} // namespace helper
