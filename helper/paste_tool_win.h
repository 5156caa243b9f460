// Letter 8: paste the files of the copy list into the selected directory
// where they are new or changed, listing each with a marker.
#pragma once

#include "helper/tools.h"

namespace helper {

ToolEnd runPasteIfChanged(const ToolRun& run);

} // namespace helper
