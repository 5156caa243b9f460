// Letter 7: remember the selection in the copy list of the temporary
// directory, for later pastes.
#pragma once

#include <string>

#include "helper/tools.h"

namespace helper {

ToolEnd runCopyList(const ToolRun& run);

// The copy list's path; empty when the temporary directory is unknown.
std::string copyListFile();

} // namespace helper
