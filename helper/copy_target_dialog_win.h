// The copy target dialog 135 of the result list's copy command.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace helper {

// The typed target directory, or nothing when cancelled.
std::optional<std::string> askCopyTarget(HWND owner);

} // namespace helper
