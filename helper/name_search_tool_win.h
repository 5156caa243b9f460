// Letter 4 of the helper: file-name search.
#pragma once

#include "helper/tools.h"

namespace helper {

// Prompt for the name patterns, then list the matching files of the selection.
ToolEnd runNameSearch(const ToolRun& run);

} // namespace helper
