// The floating palette: a small always-on-top bar with the toolbar's buttons,
// for a File Manager whose own toolbar is hidden or absent.
#pragma once

#include <windows.h>

namespace ext {

// Creates the hidden frame and shows the bar with the buttons of the latest
// toolbar table (load event, when the settings ask for a palette).
void createPalette(HWND fileManager);
void destroyPalette();

} // namespace ext
