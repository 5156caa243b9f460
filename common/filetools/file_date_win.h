// Stamping one date and time on one file, for the walks and for single paths
// alike (for example the selected lines of a result list).
#pragma once

#include <string>

#include "common/filetools/file_date.h"

namespace filetools {

// Sets creation, last-access and last-write time of an existing file to the
// stamp, read as local time. Nothing is ever created: a missing file, or one
// that cannot be opened for writing with others reading only (read-only, in
// use), is left alone. 0 when the times were set, else 1.
int applyFileDate(const std::string& path, DosDateTime stamp);

} // namespace filetools
