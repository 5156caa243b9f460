// What the extension keeps between calls of FMExtensionProc, for the life of
// the loaded library. One instance; everything runs on the File Manager's thread.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "extension/settings.h"

namespace ext {

struct ExtensionState {
    HWND fileManager = nullptr; // window of the latest FMExtensionProc call
    HINSTANCE module = nullptr;
    HMENU menuTemplate = nullptr;  // menu resource 117: default program names, palette menu
    HMENU extensionMenu = nullptr; // handed to the File Manager at load; the host owns it then
    WORD menuDelta = 0;
    ExtensionSettings settings;
    // Resolved command line per program slot; empty when the slot is off.
    std::array<std::string, kProgramSlots> commandLines;
};

ExtensionState& extensionState();

} // namespace ext
