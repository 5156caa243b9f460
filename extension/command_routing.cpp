// Command routing rules: the version test, the helper letters, the targets.
#include "extension/command_routing.h"

namespace ext {

WindowsVersion versionFromPacked(std::uint32_t packed) {
    return {packed & 0xFFu, (packed >> 8) & 0xFFu};
}

bool helperRunsFileTools(WindowsVersion version) {
    return version.major > 3 || version.minor > 50;
}

char helperLetter(int command) {
    switch (command) {
    case kCommandSearchFiles:
        return '1';
    case kCommandEqualFiles:
        return '2';
    case kCommandFileSizes:
        return '3';
    case kCommandFindName:
        return '4';
    case kCommandDate:
        return '5';
    case kCommandAttributes:
        return '6';
    default:
        return 0;
    }
}

Route inProcessRoute(int command) {
    if (command >= kCommandFirstProgram && command <= kCommandLastProgram)
        return Route::Program;
    switch (command) {
    case kCommandFtp:
        return Route::Ftp;
    case kCommandFileInfo:
        return Route::FileInfo;
    case kCommandRefreshWindow:
        return Route::RefreshActiveWindow;
    case kCommandRefreshAll:
        return Route::RefreshAllWindows;
    case kCommandSearchInfo:
        return Route::SearchInfo;
    case kCommandHelp:
        return Route::Help;
    case kCommandSettings:
        return Route::Settings;
    default:
        return helperLetter(command) != 0 ? Route::FileTool : Route::Nothing;
    }
}

int refreshScope(Route route) {
    return route == Route::RefreshAllWindows ? 1 : 0;
}

unsigned selectionEntries(int focus, std::uint32_t selectedCount) {
    if (focus != 1 && focus != 4)
        return 0;
    return selectedCount & 0xFFFFu;
}

std::string helperCommandLine(char letter, const std::string& listPath) {
    return std::string("quorvinx.exe ") + letter + ' ' + listPath;
}

} // namespace ext
