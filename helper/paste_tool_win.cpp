// Paste if changed: the prompt, then the result dialog in its paste mode
// walking every copy list entry through the attribute filter.
#include "helper/paste_tool_win.h"

#include <windows.h>

#include "common/filetools/content_search_win.h"
#include "common/filetools/search_prompt_win.h"
#include "common/filetools/selection_list_win.h"
#include "common/text/language_win.h"
#include "common/win/plain_message.h"
#include "helper/copy_list_tool_win.h"
#include "helper/paste_plan.h"
#include "helper/replace_copy_win.h"

namespace helper {

namespace {

using filetools::FileStatus;
using filetools::ResultDialog;

struct Paste {
    std::string target;
    int strip = 0;
    std::string lastDirectory; // directories made for the previous file

    void file(ResultDialog& dialog, const std::string& source, const FileStatus& status);
    void makeDirectories(const std::string& destination);
};

void Paste::makeDirectories(const std::string& destination) {
    // Files of one directory follow each other: their directories are made once.
    const std::string directory(filetools::directoryOf(destination));
    if (directory == lastDirectory)
        return;
    lastDirectory = directory;
    for (const std::string& d : directoriesOnTheWay(destination))
        CreateDirectoryA(d.c_str(), nullptr);
}

void Paste::file(ResultDialog& dialog, const std::string& source, const FileStatus& status) {
    const filetools::SearchState& state = filetools::searchState();
    const std::string name = filetools::upperCase(std::string(filetools::fileNameOf(source)));
    if (!filetools::nameMatchesAny(name, state.searchPatterns))
        return;
    const std::string destination = pasteDestination(target, relativePath(source, strip));
    dialog.countHit();
    makeDirectories(destination);

    WIN32_FILE_ATTRIBUTE_DATA existing;
    const bool destinationExists = GetFileAttributesExA(destination.c_str(), GetFileExInfoStandard, &existing) != 0;
    // The walk read the source's status just now.
    PastePair pair{true, destinationExists, 0, status.size, 0};
    if (destinationExists) {
        pair.timeOrder = CompareFileTime(&status.lastWrite, &existing.ftLastWriteTime);
        pair.destinationSize = existing.nFileSizeLow;
    }
    const bool attempted = pasteCopies(pair);
    bool copied = false;
    if (attempted) {
        const bool readOnly = destinationExists && (existing.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
        if (readOnly)
            SetFileAttributesA(destination.c_str(), existing.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY);
        copied = replaceCopy(source, destination);
        // A copy that failed leaves the old destination as it was, read-only mark included.
        if (readOnly && !copied)
            SetFileAttributesA(destination.c_str(), existing.dwFileAttributes);
    }
    const std::string marker = text::lookupText(pasteMarkerId(attempted, copied));
    if (!dialog.addLine(pasteLine(marker, source, destination)))
        dialog.reportLowMemory();
}

void pasteFiles(ResultDialog& dialog, const std::string& listPath) {
    Paste paste;
    {
        filetools::SelectionListReader selection;
        std::string first;
        if (!filetools::openSelectionList(selection, listPath) || !selection.nextLine(first))
            return;
        const DWORD attributes = GetFileAttributesA(first.c_str());
        const bool namesFile = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
        paste.target = pasteTarget(first, namesFile);
    }
    const std::string copyList = copyListFile();
    if (copyList.empty()) {
        showMessage(dialog.window(), "Error: GetTempPath", MB_OK);
        return;
    }
    filetools::SelectionListReader entries;
    if (!entries.open(copyList)) {
        showMessage(dialog.window(), std::string("Error: Open (") + kCopyListName + ")", MB_OK);
        return;
    }
    const filetools::ResultAction action = [&paste](ResultDialog& d, const std::string& p, const FileStatus& s) {
        paste.file(d, p, s);
        return 0;
    };
    std::string line;
    for (bool first = true; entries.nextLine(line); first = false) {
        if (first)
            paste.strip = stripCount(line);
        if (filetools::walkPathFiltered(dialog, action, line) != 0 || filetools::resultCancel().set)
            break;
    }
}

} // namespace

ToolEnd runPasteIfChanged(const ToolRun& run) {
    using namespace filetools;
    const PromptRequest request{PromptKind::HelperSearchOnly, 15136, 15011, run.promptKeyA, run.promptKeyB};
    if (!promptForSearch(nullptr, request))
        return ToolEnd::DeleteList;
    ResultDialog dialog(kHelperResult, ResultMode::PasteIfChanged, searchState().searchText,
                        [&run](ResultDialog& d) { pasteFiles(d, run.listPath); });
    dialog.run(nullptr);
    return ToolEnd::DeleteList;
}

} // namespace helper
