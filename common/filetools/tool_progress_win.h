// What a tool's dialog shows while the tool works and when it has finished:
// the looping animation, then OK with the focus and a beep.
#pragma once

#include <windows.h>

namespace filetools {

// Opens the clip (an AVI resource of this deliverable) in the animation
// control and plays it in a loop.
void startToolAnimation(HWND animation, int clip);

// Stops, closes and hides the animation (when there is one), shows the
// dialog's OK button with the focus, and beeps.
void showToolFinished(HWND dialog, HWND animation);

} // namespace filetools
