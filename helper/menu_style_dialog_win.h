// The menu-style dialog of the helper (dialog 130): two pictures, one button
// under each; the style is only stored.
#pragma once

#include <windows.h>

namespace helper {

void chooseMenuStyle(HWND owner);

} // namespace helper
