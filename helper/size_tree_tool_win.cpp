// The helper's size tree: the one-field prompt, then the tree dialog, which
// reads the selection list itself.
#include "helper/size_tree_tool_win.h"

#include "common/filetools/search_prompt_win.h"
#include "common/filetools/size_tree_win.h"

namespace helper {

ToolEnd runSizeTree(const ToolRun& run) {
    using namespace filetools;
    const PromptRequest request{PromptKind::HelperSearchOnly, 15033, 15011, run.promptKeyA, {}};
    if (!promptForSearch(nullptr, request))
        return ToolEnd::DeleteList;
    SizeTreeDialog dialog(run.listPath);
    dialog.run(nullptr);
    return ToolEnd::DeleteList;
}

} // namespace helper
