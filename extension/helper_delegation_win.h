// Handing a file tool to the helper program: the File Manager's selection
// goes into a new list file, and quorvinx.exe is started on it.
#pragma once

#include <windows.h>

namespace ext {

// Writes the selection list and starts the helper with letter and list path;
// does not wait for it. False when no complete list file could be written,
// so the caller runs the tool itself.
bool delegateToHelper(HWND fileManager, char letter);

} // namespace ext
