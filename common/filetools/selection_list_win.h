// Opening the selection list for a tool, telling the user when it cannot be read.
#pragma once

#include <string>

#include "common/filetools/selection_list.h"

namespace filetools {

// Opens path for reading; when it cannot be opened (or there is no path),
// shows "Error: Open (tmp)" and returns false, and the tool does nothing further.
bool openSelectionList(SelectionListReader& reader, const std::string& path);

} // namespace filetools
