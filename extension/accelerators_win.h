// The extension's keyboard accelerators inside the File Manager: a message
// hook on the File Manager's thread translates keys typed in its panes.
#pragma once

#include <windows.h>

namespace ext {

// Installs the hook for the thread that owns fileManager and loads the
// accelerator table; false (nothing installed) when that fails.
bool installAccelerators(HINSTANCE module, HWND fileManager);
void removeAccelerators();

} // namespace ext
