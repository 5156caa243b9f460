// The extension's attribute and date commands: a dialog, the plain walk with
// its progress window over the selection, and the File Manager told to show
// the new state.
#include "extension/file_property_commands_win.h"

#include <wfext.h>

#include "common/filetools/attribute_change_win.h"
#include "common/filetools/attribute_dialog_win.h"
#include "common/filetools/date_dialog_win.h"
#include "common/filetools/file_date_win.h"
#include "extension/file_search_win.h"

namespace ext {

using namespace filetools;

namespace {

void walkAndRefresh(HWND fileManager, const FileVisit& action) {
    selectionWalk(fileManager, action);
    SendMessageA(fileManager, FM_REFRESH_WINDOWS, 0, 0);
}

} // namespace

void runAttributeCommand(HWND fileManager) {
    AttributeChange change;
    if (runAttributeDialog(fileManager, kExtensionAttributeIds, change))
        walkAndRefresh(fileManager, [&](const std::string& path, const FileStatus*) {
            applyAttributeChange(path, change);
            return 0;
        });
}

void runDateCommand(HWND fileManager) {
    DosDateTime stamp;
    if (runDateDialog(fileManager, kExtensionDateDialog, stamp))
        walkAndRefresh(fileManager, [&](const std::string& path, const FileStatus*) {
            applyFileDate(path, stamp);
            return 0;
        });
}

} // namespace ext
