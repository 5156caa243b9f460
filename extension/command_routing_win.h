// The extension's commands 1 to 21, as FMExtensionProc receives them.
#pragma once

#include <windows.h>

namespace ext {

// Runs the command where it belongs; always 0. Numbers outside 1 to 21 do nothing.
LONG routeCommand(HWND fileManager, int command);

} // namespace ext
