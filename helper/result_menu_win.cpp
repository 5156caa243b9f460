// The result list's context menu on the platform: the pop-up menu and its
// commands on the lines whose path is a drive path.
#include "helper/result_menu_win.h"

#include <windows.h>

#include <string>
#include <vector>

#include "common/filetools/attribute_change_win.h"
#include "common/filetools/attribute_dialog_win.h"
#include "common/filetools/date_dialog_win.h"
#include "common/filetools/file_date_win.h"
#include "common/filetools/result_dialog_win.h"
#include "common/filetools/search_patterns.h"
#include "common/filetools/walk_win.h"
#include "common/text/language_win.h"
#include "common/win/plain_message.h"
#include "helper/copy_target_dialog_win.h"
#include "helper/program_list_win.h"
#include "helper/result_menu.h"
#include "helper/replace_copy_win.h"
#include "helper/run_tool_win.h"
#include "resources/filetools_ids.h"

namespace helper {

namespace {

using Lines = std::vector<std::string>;

// The drive paths among the selected lines.
Lines drivePaths(const Lines& lines) {
    Lines paths;
    for (const std::string& line : lines) {
        std::string path = linePath(line);
        if (isDrivePath(path))
            paths.push_back(std::move(path));
    }
    return paths;
}

void runProgram(HWND owner, const ProgramEntry& program, const Lines& lines) {
    if (!program.valid())
        return;
    // Each program starts in its file's directory; the helper's own directory
    // comes back afterwards, where its relative list file path points.
    char previous[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof previous, previous);
    for (const std::string& path : drivePaths(lines)) {
        SetCurrentDirectoryA(std::string(filetools::directoryOf(path)).c_str());
        const std::string command = program.resolved + " " + path;
        const UINT result = WinExec(command.c_str(), SW_SHOW);
        if (result < 32)
            reportStartFailure(owner, static_cast<long>(result), command);
    }
    SetCurrentDirectoryA(previous);
}

// The date and attribute dialogs act on the selected files themselves, without a walk.
void stampDate(HWND owner, const Lines& lines) {
    filetools::DosDateTime stamp;
    if (!filetools::runDateDialog(owner, filetools::kHelperDateDialog, stamp))
        return;
    for (const std::string& path : drivePaths(lines))
        filetools::applyFileDate(path, stamp);
}

void changeAttributes(HWND owner, const Lines& lines) {
    filetools::AttributeChange change;
    if (!filetools::runAttributeDialog(owner, filetools::kHelperAttributeIds, change))
        return;
    for (const std::string& path : drivePaths(lines))
        filetools::applyAttributeChange(path, change);
}

// Abort/Retry/Ignore after a failed step; true to try again, and `abort` set to stop.
bool askRetry(HWND owner, const std::string& message, bool& abort) {
    const int answer = showMessage(owner, message, MB_ABORTRETRYIGNORE | MB_ICONQUESTION);
    abort = answer == IDABORT;
    return answer == IDRETRY;
}

void deleteFiles(HWND owner, const Lines& lines) {
    if (showMessage(owner, text::lookupText(deleteQuestionId(lines.size())), MB_YESNO) != IDYES)
        return;
    for (const std::string& path : drivePaths(lines)) {
        bool abort = false;
        while (!DeleteFileA(path.c_str())) {
            if (!askRetry(owner, std::string(text::lookupText(15123)) + "\n" + path, abort))
                break;
        }
        if (abort)
            return;
    }
    showMessage(owner, "ok", MB_OK);
}

void copyFiles(HWND owner, const Lines& lines) {
    const auto target = askCopyTarget(owner);
    if (!target)
        return;
    if (!copyTargetValid(*target)) {
        showMessage(owner, text::lookupText(15127), MB_OK);
        return;
    }
    for (const std::string& directory : targetAndParents(*target))
        CreateDirectoryA(directory.c_str(), nullptr);
    const DWORD attributes = GetFileAttributesA(target->c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        showMessage(owner, text::lookupText(15128), MB_OK);
        return;
    }
    filetools::SelectionWalker progress(filetools::kHelperProgress);
    HWND window = progress.window();
    if (window != nullptr)
        SetWindowLongPtrA(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    UINT count = 0;
    for (const std::string& source : drivePaths(lines)) {
        const std::string destination = copyDestination(*target, source);
        SetDlgItemInt(window, IDC_QPROGRESS_COUNT_EDIT, ++count, FALSE);
        SetDlgItemTextA(window, IDC_QPROGRESS_DIR_EDIT, source.c_str());
        UpdateWindow(window);
        bool abort = false;
        while (!replaceCopy(source, destination)) {
            const std::string message =
                std::string(text::lookupText(15129)) + source + text::lookupText(15130) + destination;
            if (!askRetry(owner, message, abort))
                break;
        }
        if (abort)
            return;
    }
}

void openMenu(filetools::ResultDialog& dialog, POINT at) {
    HWND owner = dialog.window();
    const Lines lines = dialog.selectedLines();
    if (lines.empty()) {
        showMessage(owner, text::lookupText(15126), MB_OK);
        return;
    }
    HMENU menu = CreatePopupMenu();
    for (const MenuItem& item : resultMenuPlan(programList())) {
        if (item.id == 0)
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuA(menu, MF_STRING, item.id, item.textId ? text::lookupText(item.textId) : item.text.c_str());
    }
    const int command =
        static_cast<int>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr));
    DestroyMenu(menu);
    if (command >= kMenuFirstProgram && command < kMenuFirstProgram + kProgramCount)
        runProgram(owner, programList()[command - kMenuFirstProgram], lines);
    else if (command == kMenuDate)
        stampDate(owner, lines);
    else if (command == kMenuAttributes)
        changeAttributes(owner, lines);
    else if (command == kMenuDelete)
        deleteFiles(owner, lines);
    else if (command == kMenuCopy)
        copyFiles(owner, lines);
}

} // namespace

void installResultMenu() {
    filetools::setResultContextMenu(openMenu);
}

} // namespace helper
