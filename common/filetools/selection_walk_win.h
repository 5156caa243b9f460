// The helper's walks over the selection list file.
#pragma once

#include <string>

#include "common/filetools/content_search_win.h"
#include "common/filetools/walk_win.h"

namespace filetools {

// Walks every entry of the list with the progress window and the wait
// cursor, stopping after a cancelled entry. False when the list cannot be
// opened (the user was told; nothing was walked).
bool selectionWalkList(const std::string& listPath, const FileVisit& action);

// Walks every entry of the list for the result dialog, with the name and
// attribute filters of the last prompt, until a walk is cancelled. False when
// the list cannot be opened (the user was told).
bool filteredWalkList(ResultDialog& dialog, const std::string& listPath, const ResultAction& action);

} // namespace filetools
