// The helper's attribute and date tools: a dialog, then the plain walk with
// its progress window over the selection list. A file the change cannot reach
// is passed over; the walk goes on.
#include "helper/file_property_tools_win.h"

#include "common/filetools/attribute_change_win.h"
#include "common/filetools/attribute_dialog_win.h"
#include "common/filetools/date_dialog_win.h"
#include "common/filetools/file_date_win.h"
#include "common/filetools/selection_walk_win.h"

namespace helper {

using namespace filetools;

ToolEnd runAttributeTool(const ToolRun& run) {
    AttributeChange change;
    if (runAttributeDialog(nullptr, kHelperAttributeIds, change))
        selectionWalkList(run.listPath, [&](const std::string& path, const FileStatus*) {
            applyAttributeChange(path, change);
            return 0;
        });
    return ToolEnd::DeleteList;
}

ToolEnd runDateTool(const ToolRun& run) {
    DosDateTime stamp;
    if (runDateDialog(nullptr, kHelperDateDialog, stamp))
        selectionWalkList(run.listPath, [&](const std::string& path, const FileStatus*) {
            applyFileDate(path, stamp);
            return 0;
        });
    return ToolEnd::DeleteList;
}

} // namespace helper
