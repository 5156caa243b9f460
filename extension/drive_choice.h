// When the extension offers whole drives instead of the selection, which
// letters can be ticked, and what the ticks make of the drive root list.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "extension/drive_roots.h"

namespace ext {

// Only from the tree or the drive bar (not a file list, focus 1, nor search
// results, focus 4), and only while the window stands on a drive root: a
// current directory of three characters or fewer.
bool offersDriveChoice(int focus, std::string_view currentDirectory);

// Letter index 0 (A) to 25 (Z) present in the logical-drive mask (bit 0 = A).
bool drivePresent(std::uint32_t logicalDrives, int letterIndex);

// OK of the drive choice: the list is cleared and each ticked letter becomes
// its root "X:\"; with nothing ticked the selection stays in use.
void applyDriveTicks(DriveRootList& list, const std::array<bool, 26>& ticked);

} // namespace ext
