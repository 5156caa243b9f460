// The helper's dispatch table: command letter -> tool. Letters without a row
// have no tool in this build; the helper then ends without a dialog.
#include "helper/tools.h"

#include "helper/content_search_tool_win.h"
#include "helper/size_tree_tool_win.h"
#include "helper/copy_list_tool_win.h"
#include "helper/file_property_tools_win.h"
#include "helper/paste_tool_win.h"
#include "helper/program_list_dialog_win.h"
#include "helper/run_tool_win.h"
#include "helper/equal_files_tool_win.h"
#include "helper/name_search_tool_win.h"

namespace helper {

const ToolSlot kToolTable[] = {
    {'0', runProgramSettings},
    {'1', runContentSearch},
    {'2', runEqualFiles},
    {'3', runSizeTree},
    {'4', runNameSearch},
    {'5', runDateTool},
    {'6', runAttributeTool},
    {'7', runCopyList},
    {'8', runPasteIfChanged},
    {'9', runWithParameters},
    // One row per tool; each tool declares its entry in its own header.
    {0, nullptr},
};

} // namespace helper
