// The drive choice the extension offers before a file tool runs: when the
// user stands on a drive root in the tree or the drive bar, whole drives can
// be searched instead of the selection.
#pragma once

#include <windows.h>

#include <cstdint>

namespace ext {

enum class DriveChoice { GoOn = 1, Cancel = 2 };

// Clears the chosen drives, then shows the choice (captioned with the text
// titleTextId) when the File Manager's focus and current directory call for
// it. Cancel means the command ends; GoOn with drives ticked leaves them in
// driveRoots() for the walks, otherwise the selection is used.
DriveChoice offerDriveChoice(HWND fileManager, std::uint32_t titleTextId);

} // namespace ext
