// What the settings, programs and About dialogs share: the decorative picture
// painted into one control's rectangle, centring, and the help button.
#pragma once

#include <windows.h>

namespace ext {

// Paints the top-left part of the dialogs' picture into the rectangle of
// control id (which may be hidden) on every repaint of dialog.
void attachPicture(HWND dialog, int id);

// Centres window on owner, or on the desktop without one.
void centreOn(HWND window, HWND owner);

// The help topic of the settings dialogs.
void showSettingsHelp();

} // namespace ext
