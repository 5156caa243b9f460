// Command 18: the settings dialog with its programs dialog and About box.
#pragma once

#include <windows.h>

namespace ext {

// Dialog 102, owned by the File Manager window; OK writes the settings.
void showSettingsDialog(HWND fileManager);

// Dialog 142 (programs) and 138 (About), opened without an owner.
void showProgramsDialog();
void showAboutBox();

} // namespace ext
