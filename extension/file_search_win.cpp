// Selection sources of the extension and its in-process content search.
#include "extension/file_search_win.h"

#include "common/win/fm_extension.h"

#include <cstring>

#include "common/filetools/search_prompt_win.h"
#include "extension/command_routing.h"
#include "extension/drive_choice_win.h"
#include "extension/drive_roots.h"

namespace ext {

std::string hostField(const char* field, std::size_t size) {
    const std::size_t length = strnlen(field, size);
    return length == size ? std::string() : std::string(field, length);
}

void forEachSelectedPath(HWND fileManager, const std::function<int(std::string path)>& walkOne) {
    DriveRootList& drives = driveRoots();
    if (drives.useDriveRoots) {
        bool walked = false;
        for (const std::string& root : drives.roots) {
            if (root.empty())
                continue;
            walked = true;
            if (walkOne(root) == 1)
                return;
        }
        if (walked)
            return;
    }
    const LRESULT focus = SendMessageA(fileManager, FM_GETFOCUS, 0, 0);
    const LRESULT count = SendMessageA(fileManager, FM_GETSELCOUNTLFN, 0, 0);
    const unsigned entries = selectionEntries(static_cast<int>(focus), static_cast<std::uint32_t>(count));
    if (focus == FMFOCUS_DIR || focus == FMFOCUS_SEARCH) {
        for (unsigned index = 0; index < entries; ++index) {
            FMS_GETFILESELA entry{};
            SendMessageA(fileManager, FM_GETFILESELLFNA, index, reinterpret_cast<LPARAM>(&entry));
            const std::string path = hostField(entry.szName, sizeof entry.szName);
            if (!path.empty() && walkOne(path) == 1)
                return;
        }
        return;
    }
    FMS_GETDRIVEINFOA drive{};
    SendMessageA(fileManager, FM_GETDRIVEINFOA, 0, reinterpret_cast<LPARAM>(&drive));
    const std::string path = hostField(drive.szPath, sizeof drive.szPath);
    if (!path.empty())
        walkOne(path);
}

void selectionWalk(HWND fileManager, const filetools::FileVisit& action) {
    filetools::SelectionWalker walker(filetools::kExtensionProgress);
    forEachSelectedPath(fileManager, [&](std::string path) { return walker.walk(std::move(path), action); });
}

void resultWalk(HWND fileManager, filetools::ResultDialog& dialog, const filetools::ResultAction& action) {
    filetools::resultCancel().set = false;
    forEachSelectedPath(fileManager,
                        [&](std::string path) { return filetools::resultWalkPath(dialog, action, std::move(path)); });
}

void runContentSearchCommand(HWND fileManager) {
    using namespace filetools;
    const PromptRequest request{PromptKind::Extension, 15010, 15011, {}, {}};
    if (!promptForSearch(fileManager, request))
        return;
    if (offerDriveChoice(fileManager, 15010) == DriveChoice::Cancel)
        return;
    const PieceMatcher matcher = currentMatcher();
    const ResultAction grep = [&](ResultDialog& dialog, const std::string& path, const FileStatus& status) {
        return grepFile(kExtensionSearch, matcher, dialog, path, status.size);
    };
    ResultDialog dialog(kExtensionResult, ResultMode::ContentSearch, searchState().searchText,
                        [&](ResultDialog& d) { resultWalk(fileManager, d, grep); });
    dialog.run(fileManager);
}

} // namespace ext
