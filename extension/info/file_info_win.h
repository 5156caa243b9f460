// Command 10: the description of the one selected file in a message box.
#pragma once

#include <windows.h>

namespace info {

void showFileInfo(HWND fileManager);

} // namespace info
