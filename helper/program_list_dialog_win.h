// Letter 0 (and the helper without arguments): the program list dialog 142.
#pragma once

#include "helper/tools.h"

namespace helper {

ToolEnd runProgramSettings(const ToolRun& run);

} // namespace helper
