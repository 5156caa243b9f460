// The helper's file-name search: the one-field prompt with the attribute
// boxes, then the filtered walk over the list inside the result dialog.
#include "helper/name_search_tool_win.h"

#include "common/filetools/name_search_win.h"
#include "common/filetools/search_prompt_win.h"
#include "common/filetools/selection_walk_win.h"

namespace helper {

ToolEnd runNameSearch(const ToolRun& run) {
    using namespace filetools;
    const PromptRequest request{PromptKind::HelperSearchOnly, 15034, 15011, run.promptKeyA, {}};
    if (!promptForSearch(nullptr, request))
        return ToolEnd::DeleteList;
    ResultDialog dialog(kHelperResult, ResultMode::NameSearch, searchState().searchText,
                        [&](ResultDialog& d) { filteredWalkList(d, run.listPath, matchFileName); });
    dialog.run(nullptr);
    return ToolEnd::DeleteList;
}

} // namespace helper
