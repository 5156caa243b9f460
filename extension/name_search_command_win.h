// Command 21 inside the extension: file-name search.
#pragma once

#include <windows.h>

namespace ext {

// The prompt, the drive choice, then every file of the drives or the
// selection matched by name in the result dialog.
void runNameSearchCommand(HWND fileManager);

} // namespace ext
