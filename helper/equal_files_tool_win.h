// Letter 2 of the helper: equal files.
#pragma once

#include "helper/tools.h"

namespace helper {

// Collects the files of the selection, then lists the equal ones.
ToolEnd runEqualFiles(const ToolRun& run);

} // namespace helper
