// Event 105: the extension's toolbar buttons and their composed image strip,
// which the floating palette shows as well.
#pragma once

#include <windows.h>
#include "common/win/fm_extension.h"

#include <vector>

namespace ext {

// Builds the button table and the image strip anew and fills request
// (dwSize and idBitmap stay as passed); returns 1.
LONG loadToolbar(FMS_TOOLBARLOAD* request);

// The commands of the latest table's buttons, separators left out, in the
// order of their images in the strip.
const std::vector<int>& toolbarCommands();
HBITMAP toolbarStrip();

// Frees the strips made while loaded (unload).
void releaseToolbar();

} // namespace ext
