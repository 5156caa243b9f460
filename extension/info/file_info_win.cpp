// Command 10: one selected entry, its description from the info file of its
// directory, shown with the path as the File Manager gave it.
#include "extension/info/file_info_win.h"

#include "common/win/fm_extension.h"

#include <cstring>
#include <string>

#include "common/text/language_win.h"
#include "extension/info/info_store_win.h"

namespace info {

void showFileInfo(HWND fileManager) {
    const unsigned selected = static_cast<WORD>(SendMessageA(fileManager, FM_GETSELCOUNTLFN, 0, 0));
    if (selected != 1) {
        MessageBoxA(fileManager, text::lookupText(15095), text::lookupText(15096), MB_OK);
        return;
    }
    FMS_GETFILESELA entry{};
    SendMessageA(fileManager, FM_GETFILESELLFNA, 0, reinterpret_cast<LPARAM>(&entry));
    const std::string path(entry.szName, strnlen(entry.szName, sizeof entry.szName));
    std::string description = lookupDescription(path);
    if (description.empty())
        description = text::lookupText(15097);
    MessageBoxA(fileManager, description.c_str(), path.c_str(), MB_OK);
}

} // namespace info
