// Command 17 inside the extension: equal files.
#pragma once

#include <windows.h>

namespace ext {

// The drive choice, the collecting walk over the drives or the selection,
// then the comparison in the result dialog.
void runEqualFilesCommand(HWND fileManager);

} // namespace ext
