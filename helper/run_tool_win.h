// Letter 9: run a program, or open the first selected entry, after editing
// the parameters in the run dialog 137.
#pragma once

#include <windows.h>

#include <string>

#include "helper/tools.h"

namespace helper {

ToolEnd runWithParameters(const ToolRun& run);

// Shows the start-failure message for what was to be started.
void reportStartFailure(HWND owner, long number, const std::string& started);

} // namespace helper
