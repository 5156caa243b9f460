// A bitmap resource painted into a frame control of a dialog: unscaled, from
// the frame's top-left corner, cut to the frame's size.
#pragma once

#include <windows.h>

namespace helper {

// Loads the bitmap and takes over the frame's painting; the bitmap is freed
// with the frame.
void showPicture(HWND dialog, int frameId, int bitmapId);

} // namespace helper
