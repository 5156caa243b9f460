// The helper's dispatch table: command letter -> tool. Letters without a row
// have no tool in this build; the helper then ends without a dialog.
#include "helper/tools.h"

#include "helper/content_search_tool_win.h"
#include "helper/equal_files_tool_win.h"
#include "helper/name_search_tool_win.h"

namespace helper {

const ToolSlot kToolTable[] = {
    {'1', runContentSearch},
    {'2', runEqualFiles},
    {'4', runNameSearch},
    // One row per tool; each tool declares its entry in its own header.
    {0, nullptr},
};

} // namespace helper
