// Commands 19 and 20 run inside the extension: file attributes and file date.
#pragma once

#include <windows.h>

namespace ext {

// The attribute dialog, the change on the File Manager's selection, then a
// refresh of the active window. Cancel changes nothing and refreshes nothing.
void runAttributeCommand(HWND fileManager);
// The date dialog, the stamp on the selection, then the same refresh.
void runDateCommand(HWND fileManager);

} // namespace ext
