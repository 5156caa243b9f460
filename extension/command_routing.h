// Where each of the extension's commands 1 to 21 runs: inside the extension,
// or, for six file tools on newer Windows, in the helper program.
#pragma once

#include <cstdint>
#include <string>

namespace ext {

enum Command : int {
    kCommandFirstProgram = 1,
    kCommandLastProgram = 8,
    kCommandFtp = 9,
    kCommandFileInfo = 10,
    kCommandFileSizes = 11,
    kCommandRefreshWindow = 12,
    kCommandRefreshAll = 13,
    kCommandSearchInfo = 14,
    kCommandHelp = 15,
    kCommandSearchFiles = 16,
    kCommandEqualFiles = 17,
    kCommandSettings = 18,
    kCommandAttributes = 19,
    kCommandDate = 20,
    kCommandFindName = 21,
};

struct WindowsVersion {
    unsigned major;
    unsigned minor;
};

// The version packed as GetVersion reports it: low byte major, next byte minor.
WindowsVersion versionFromPacked(std::uint32_t packed);

// Newer than 3.50: major above 3 or minor above 50, each test on its own.
bool helperRunsFileTools(WindowsVersion version);

// The helper's letter for a file tool command; 0 for every other command.
char helperLetter(int command);

enum class Route {
    Nothing,
    Program,
    Ftp,
    FileInfo,
    FileTool, // in-process file tool
    RefreshActiveWindow,
    RefreshAllWindows,
    SearchInfo,
    Help,
    Settings,
};

// Where a command runs inside the extension (after delegation did not take it).
Route inProcessRoute(int command);

// wParam of FM_REFRESH_WINDOWS for commands 12 and 13.
int refreshScope(Route route);

// The number of list entries taken from the selection: only a file list
// (focus 1) or search results (focus 4) carry one; the count is 16-bit.
unsigned selectionEntries(int focus, std::uint32_t selectedCount);

// "quorvinx.exe <letter> <list path>".
std::string helperCommandLine(char letter, const std::string& listPath);

} // namespace ext
