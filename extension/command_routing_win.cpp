// Carrying out a routed command: delegation to the helper on newer Windows,
// refresh and help here, the other targets in their own modules.
#include "extension/command_routing_win.h"

#include "common/win/fm_extension.h"

#include "extension/command_routing.h"
#include "common/win/deliverable.h"
#include "extension/helper_delegation_win.h"
#include "extension/drive_roots.h"
#include "extension/equal_files_command_win.h"
#include "extension/file_search_win.h"
#include "extension/name_search_command_win.h"

namespace ext {

namespace {

bool windowsHandsToolsToHelper() {
    return helperRunsFileTools(versionFromPacked(GetVersion()));
}

} // namespace

LONG routeCommand(HWND fileManager, int command) {
    // Drives chosen for an earlier command never carry over.
    driveRoots().clear();
    const char letter = helperLetter(command);
    if (letter != 0 && windowsHandsToolsToHelper() && delegateToHelper(fileManager, letter))
        return 0;

    // Programs, FTP, file info, the settings dialog and the in-process file
    // tools join here as their modules are added.
    const Route route = inProcessRoute(command);
    switch (route) {
    case Route::FileTool:
        if (command == 16)
            runContentSearchCommand(fileManager);
        else if (command == 17)
            runEqualFilesCommand(fileManager);
        else if (command == 21)
            runNameSearchCommand(fileManager);
        break;
    case Route::RefreshActiveWindow:
    case Route::RefreshAllWindows:
        SendMessageA(fileManager, FM_REFRESH_WINDOWS, refreshScope(route), 0);
        break;
    case Route::Help:
        WinHelpA(fileManager, deliverable().helpFile, HELP_CONTENTS, 0);
        break;
    default:
        break;
    }
    return 0;
}

} // namespace ext
