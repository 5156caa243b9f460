// Command 11 in the extension's own dialogs (Windows 3.50 and older): the
// sizes of the matching files below the selection as three total lines.
#pragma once

#include <windows.h>

namespace ext {

// The prompt, then the result dialog walking the selection and listing the
// byte, KB and MB totals.
void runSizeSumCommand(HWND fileManager);

} // namespace ext
