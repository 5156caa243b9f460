// The helper's content search: the two-field prompt, the plain walk filling
// the file table, then the result dialog searching the table.
#include "helper/content_search_tool_win.h"

#include "common/filetools/content_search_win.h"
#include "common/filetools/search_prompt_win.h"
#include "common/filetools/selection_walk_win.h"

namespace helper {

ToolEnd runContentSearch(const ToolRun& run) {
    using namespace filetools;
    const PromptRequest request{PromptKind::HelperWithSelection, 15010, 15011, run.promptKeyA, run.promptKeyB};
    if (!promptForSearch(nullptr, request))
        return ToolEnd::DeleteList;
    const std::string shownText = searchState().searchText;
    fileTable().clear();
    const bool walked = selectionWalkList(run.listPath, [](const std::string& path, const FileStatus* status) {
        return collectFile(kHelperSearch, path, status);
    });
    if (!walked)
        return ToolEnd::DeleteList;
    ResultDialog dialog(kHelperResult, ResultMode::ContentSearch, shownText, searchFileTable);
    dialog.run(nullptr);
    fileTable().clear();
    return ToolEnd::DeleteList;
}

} // namespace helper
