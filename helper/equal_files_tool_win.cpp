// The helper's equal files: no prompt, the plain walk filling the file
// table, then the comparison in the result dialog.
#include "helper/equal_files_tool_win.h"

#include "common/filetools/equal_files_win.h"
#include "common/filetools/selection_walk_win.h"

namespace helper {

ToolEnd runEqualFiles(const ToolRun& run) {
    using namespace filetools;
    fileTable().clear();
    const bool walked = selectionWalkList(run.listPath, [](const std::string& path, const FileStatus* status) {
        return collectFile(kHelperSearch, path, status);
    });
    if (!walked)
        return ToolEnd::DeleteList;
    ResultDialog dialog(kHelperResult, ResultMode::EqualFiles, "", compareEqualFiles);
    dialog.run(nullptr);
    fileTable().clear();
    return ToolEnd::DeleteList;
}

} // namespace helper
