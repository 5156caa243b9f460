// The list of chosen drive roots.
#include "extension/drive_roots.h"

namespace ext {

void DriveRootList::clear() {
    for (std::string& root : roots)
        root.clear();
    useDriveRoots = false;
}

bool DriveRootList::choose(char letter) {
    if (letter >= 'a' && letter <= 'z')
        letter = static_cast<char>(letter - 'a' + 'A');
    if (letter < 'A' || letter > 'Z')
        return false;
    roots[static_cast<std::size_t>(letter - 'A')] = std::string(1, letter) + ":\\";
    useDriveRoots = true;
    return true;
}

DriveRootList& driveRoots() {
    static DriveRootList list;
    return list;
}

} // namespace ext
