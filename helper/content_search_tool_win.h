// Letter 1 of the helper: search in file contents.
#pragma once

#include "helper/tools.h"

namespace helper {

// Prompt, collect the files of the selection, search them in the result dialog.
ToolEnd runContentSearch(const ToolRun& run);

} // namespace helper
