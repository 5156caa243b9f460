// The helper's plain walk over the selection list file.
#pragma once

#include <string>

#include "common/filetools/walk_win.h"

namespace filetools {

// Walks every entry of the list with the progress window and the wait
// cursor, stopping after a cancelled entry. False when the list cannot be
// opened (the user was told; nothing was walked).
bool selectionWalkList(const std::string& listPath, const FileVisit& action);

} // namespace filetools
