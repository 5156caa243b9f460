// Command 14: the search of the info files below the current directory, with
// its hits in the info search window, which stays open after the search.
#pragma once

#include <windows.h>

namespace info {

void searchFileInfo(HWND fileManager);

// Destroys the info search window if it still exists (the extension unloads).
void closeInfoSearchWindow();

} // namespace info
