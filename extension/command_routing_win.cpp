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
#include "extension/file_property_commands_win.h"
#include "extension/info/file_info_win.h"
#include "extension/info/info_search_win.h"
#include "extension/size_sum_win.h"
#include "extension/program_launch_win.h"
#include "extension/settings_dialog_win.h"
#include "extension/name_search_command_win.h"
#include "extension/ftp/run_ftp_command_win.h"

namespace ext {

namespace {

bool windowsHandsToolsToHelper() {
    return helperRunsFileTools(versionFromPacked(GetVersion()));
}

// The file tools the extension runs itself on old Windows.
void runFileTool(HWND fileManager, int command) {
    switch (command) {
    case 16:
        runContentSearchCommand(fileManager);
        break;
    case 17:
        runEqualFilesCommand(fileManager);
        break;
    case 21:
        runNameSearchCommand(fileManager);
        break;
    case 11:
        runSizeSumCommand(fileManager);
        break;
    case kCommandAttributes:
        runAttributeCommand(fileManager);
        break;
    case kCommandDate:
        runDateCommand(fileManager);
        break;
    default:
        break;
    }
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
    case Route::Program:
        launchProgram(fileManager, command);
        break;
    case Route::Ftp:
        ftp::runFtpCommand(fileManager);
        break;
    case Route::Settings:
        showSettingsDialog(fileManager);
        break;
    case Route::FileTool:
        runFileTool(fileManager, command);
        break;
    case Route::FileInfo:
        info::showFileInfo(fileManager);
        break;
    case Route::SearchInfo:
        info::searchFileInfo(fileManager);
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
