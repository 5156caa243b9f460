// The local date and time of a file's time stamp, for the result lines.
#pragma once

#include <windows.h>

#include "common/filetools/file_lines.h"

namespace filetools {

LocalStamp localStamp(const FILETIME& time);

} // namespace filetools
