// The drive choice's rules.
#include "extension/drive_choice.h"

#include "extension/menu_plan.h"

namespace ext {

bool offersDriveChoice(int focus, std::string_view currentDirectory) {
    if (focus == kFocusDirectory || focus == kFocusSearch)
        return false;
    return currentDirectory.size() <= 3;
}

bool drivePresent(std::uint32_t logicalDrives, int letterIndex) {
    return letterIndex >= 0 && letterIndex < 26 && (logicalDrives >> letterIndex & 1u) != 0;
}

void applyDriveTicks(DriveRootList& list, const std::array<bool, 26>& ticked) {
    list.clear();
    for (int i = 0; i < 26; ++i)
        if (ticked[static_cast<std::size_t>(i)])
            list.choose(static_cast<char>('A' + i));
}

} // namespace ext
