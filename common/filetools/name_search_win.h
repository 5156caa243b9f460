// The file-name search in the result dialog (mode 2): every file the walk
// hands over is listed when its name matches one of the typed patterns.
#pragma once

#include <string>

#include "common/filetools/result_dialog_win.h"
#include "common/filetools/walk_win.h"

namespace filetools {

// The per-file action: adds the file's line when its whole name matches a
// pattern of the last prompt. 1 (and the walk cancelled) when the list is full.
int matchFileName(ResultDialog& dialog, const std::string& path, const FileStatus& status);

} // namespace filetools
