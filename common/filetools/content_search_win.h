// The content search on the platform: collecting the files, the walks that
// feed the result dialog, and the per-file search action.
#pragma once

#include <string>

#include "common/filetools/content_search.h"
#include "common/filetools/file_table.h"
#include "common/filetools/result_dialog_win.h"
#include "common/filetools/walk_win.h"

namespace filetools {

// What the collecting and searching actions say and do per deliverable.
struct SearchProfile {
    bool helper;                   // name and attribute filters, pumping per read, memory test per 100 hits
    std::uint32_t lowMemoryTextId; // helper: one text id for every low-memory case
    const char* memoryCheckText;   // extension: the free-memory test failed
    const char* tableFullText;     // extension: the file table could not grow
};
extern const SearchProfile kHelperSearch;
extern const SearchProfile kExtensionSearch;

// True when the free memory is below the bounds.
bool memoryIsLowNow();

// Adds a file to the file table (the walk's action before the content
// search and the equal-file detection). Returns 1 and cancels the plain walk
// when memory runs low.
int collectFile(const SearchProfile& profile, const std::string& path, const FileStatus* status);

// A file as the result walks hand it to a tool.
using ResultAction = std::function<int(ResultDialog& dialog, const std::string& path, const FileStatus& status)>;

// The helper's walk for the result dialog, for one path: the name filter and
// the attribute filter of the last prompt decide which files reach the action.
int walkPathFiltered(ResultDialog& dialog, const ResultAction& action, std::string path);

// The extension's walk for the result dialog, for one path: every file
// reaches the action.
int resultWalkPath(ResultDialog& dialog, const ResultAction& action, std::string path);

// Searches one file and adds its hit lines and separator; 1 when the search
// must stop (Escape, or the list or memory ran out). statusSize: the size its
// status gave (0 when unknown).
int grepFile(const SearchProfile& profile, const PieceMatcher& matcher, ResultDialog& dialog, const std::string& path,
             std::uint32_t statusSize);

// The helper's mode-0 worker: every file of the file table through the
// filtered walk, with the progress bar; empties the table afterwards.
void searchFileTable(ResultDialog& dialog);

// The matcher for the patterns of the last prompt.
PieceMatcher currentMatcher();

} // namespace filetools
