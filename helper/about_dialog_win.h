// The About box of the helper (dialog 134).
#pragma once

#include <windows.h>

namespace helper {

void showAboutBox(HWND owner);

} // namespace helper
