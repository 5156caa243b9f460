// Copying the selection list into the copy list. The selection is read before
// the copy list is emptied, so a list that cannot be read leaves the last
// remembered selection in place.
#include "helper/copy_list_tool_win.h"

#include <windows.h>

#include <cstdio>

#include "common/filetools/selection_list_win.h"
#include "common/text/language_win.h"
#include "common/win/plain_message.h"
#include "helper/paste_plan.h"

namespace helper {

std::string copyListFile() {
    char directory[MAX_PATH] = "";
    const DWORD n = GetTempPathA(sizeof directory, directory);
    if (n == 0 || n >= sizeof directory)
        return std::string();
    return copyListPath(directory);
}

ToolEnd runCopyList(const ToolRun& run) {
    const std::string path = copyListFile();
    if (path.empty()) {
        showMessage(nullptr, "Error: GetTempPath", MB_OK);
        return ToolEnd::KeepList;
    }
    filetools::SelectionListReader reader;
    if (!filetools::openSelectionList(reader, run.listPath))
        return ToolEnd::KeepList;
    std::FILE* out = std::fopen(path.c_str(), "w");
    if (out == nullptr) {
        showMessage(nullptr, "Error Open File: " + path, MB_OK);
        return ToolEnd::KeepList;
    }
    std::string line;
    while (reader.nextLine(line))
        std::fprintf(out, "%s\n", line.c_str());
    std::fclose(out);
    reader.close();
    showMessage(nullptr, text::lookupText(15137), MB_OK);
    return ToolEnd::DeleteList;
}

} // namespace helper
