// Command routing rules: which Windows hands tools to the helper, the letters,
// the in-process targets, the selection count and the helper's command line.
#include <gtest/gtest.h>

#include <string>

#include "extension/command_routing.h"

using ext::Route;

TEST(CommandRouting, HelperOnlyOnWindowsNewerThan350) {
    const struct {
        std::uint32_t packed; // as GetVersion reports it
        bool helper;
    } cases[] = {
        {0x3203, false},     // 3.50
        {0x0A03, false},     // 3.10
        {0x3303, true},      // 3.51: the minor test alone
        {0x0004, true},      // 4.0: the major test alone
        {0x0106, true},      // 6.1
        {0x5F03, true},      // 3.95
        {0x80003203, false}, // 3.50 with the high bit of the build word
    };
    for (const auto& c : cases) {
        const ext::WindowsVersion v = ext::versionFromPacked(c.packed);
        EXPECT_EQ(c.helper, ext::helperRunsFileTools(v)) << "version " << v.major << "." << v.minor;
    }
}

TEST(CommandRouting, EveryCommandHasItsTarget) {
    const struct {
        int command;
        Route route;
        char letter;
    } cases[] = {
        {0, Route::Nothing, 0},
        {1, Route::Program, 0},
        {8, Route::Program, 0},
        {9, Route::Ftp, 0},
        {10, Route::FileInfo, 0},
        {11, Route::FileTool, '3'},
        {12, Route::RefreshActiveWindow, 0},
        {13, Route::RefreshAllWindows, 0},
        {14, Route::SearchInfo, 0},
        {15, Route::Help, 0},
        {16, Route::FileTool, '1'},
        {17, Route::FileTool, '2'},
        {18, Route::Settings, 0},
        {19, Route::FileTool, '6'},
        {20, Route::FileTool, '5'},
        {21, Route::FileTool, '4'},
        {22, Route::Nothing, 0},
        {30, Route::Nothing, 0},
        {-1, Route::Nothing, 0},
        {99, Route::Nothing, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.route, ext::inProcessRoute(c.command)) << "command " << c.command;
        EXPECT_EQ(c.letter, ext::helperLetter(c.command)) << "command " << c.command;
    }
    EXPECT_EQ(0, ext::refreshScope(Route::RefreshActiveWindow));
    EXPECT_EQ(1, ext::refreshScope(Route::RefreshAllWindows));
}

TEST(CommandRouting, OnlyFileListAndSearchResultsCarryASelection) {
    const struct {
        int focus;
        std::uint32_t count;
        unsigned entries;
    } cases[] = {
        {1, 4, 4},       // file list
        {4, 2, 2},       // search results
        {2, 1, 0},       // tree: the current directory instead
        {3, 1, 0},       // drive bar
        {0, 5, 0},       //
        {1, 0, 0},       // nothing selected
        {1, 0x10003, 3}, // the count is 16-bit
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.entries, ext::selectionEntries(c.focus, c.count)) << "focus " << c.focus << ", count " << c.count;
}

TEST(CommandRouting, HelperCommandLineCarriesLetterAndListPath) {
    EXPECT_EQ("quorvinx.exe 1 .\\zqk3F2A.tmp", ext::helperCommandLine('1', ".\\zqk3F2A.tmp"));
    EXPECT_EQ("quorvinx.exe 6 zqk1.tmp", ext::helperCommandLine('6', "zqk1.tmp"));
}
