// The whole drives chosen for a file tool instead of the File Manager's
// selection: one root "X:\" per chosen drive letter.
#pragma once

#include <array>
#include <string>

namespace ext {

struct DriveRootList {
    std::array<std::string, 26> roots; // A..Z, empty or "X:\"
    bool useDriveRoots = false;        // at least one drive was chosen

    void clear();
    // Chooses drive letter 'A'..'Z' (either case); false for anything else.
    bool choose(char letter);
};

// The extension's list; cleared at the start of every command and whenever
// the drive choice opens.
DriveRootList& driveRoots();

} // namespace ext
