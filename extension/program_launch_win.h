// Commands 1 to 8: starting a configured program on each selected file.
#pragma once

#include <windows.h>

namespace ext {

// Starts the program of slot (1 to 8) on every selected file, or alone when
// there is no file selection to work on. Does nothing for a slot that is off.
void launchProgram(HWND fileManager, int slot);

} // namespace ext
