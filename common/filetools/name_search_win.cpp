// Matching a found file's name and listing it with its date, attributes and size.
#include "common/filetools/name_search_win.h"

#include "common/filetools/file_lines_win.h"
#include "common/filetools/search_patterns.h"
#include "common/filetools/search_prompt_win.h"

namespace filetools {

int matchFileName(ResultDialog& dialog, const std::string& path, const FileStatus& status) {
    // Names come from the platform in the ANSI code page already: upper-cased only.
    const std::string name = upperCase(std::string(fileNameOf(path)));
    if (!nameMatchesAny(name, searchState().searchPatterns))
        return 0;
    const std::string_view sizePrefix = dialog.profile().helper ? kHelperSizePrefix : std::string_view();
    if (!dialog.addLine(fileLine(path, localStamp(status.creation), status.attributes, status.size, sizePrefix))) {
        dialog.reportLowMemory();
        return 1;
    }
    dialog.countHit();
    return 0;
}

} // namespace filetools
