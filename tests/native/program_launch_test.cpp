// Rules of starting a program on the selected files.
#include <gtest/gtest.h>

#include "extension/program_launch.h"

TEST(ProgramLaunch, PathAndDirectoryOfAFile) {
    const struct {
        const char* name;
        const char* path;
        const char* directory;
    } cases[] = {
        {"C:\\DOCS\\README", "C:\\DOCS\\README.", "C:\\DOCS"},
        {"D:\\brief.txt", "D:\\brief.txt", "D:\\"},
        {"D:\\README", "D:\\README.", "D:\\"},
        {"C:\\A.B\\README", "C:\\A.B\\README.", "C:\\A.B"},
        {"C:\\DOCS\\.profile", "C:\\DOCS\\.profile", "C:\\DOCS"},
        {"A:NAME", "A:NAME.", ""},
        {"plain", "plain", ""},
        {"\\\\server\\share\\x", "\\\\server\\share\\x.", "\\\\server\\share"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ext::launchPath(c.name), c.path) << c.name;
        EXPECT_EQ(ext::launchDirectory(ext::launchPath(c.name)), c.directory) << c.name;
    }
}

TEST(ProgramLaunch, WhenTheSelectionIsUsed) {
    EXPECT_TRUE(ext::launchesPerFile(1, false, 1));
    EXPECT_TRUE(ext::launchesPerFile(4, false, 3));
    EXPECT_FALSE(ext::launchesPerFile(1, true, 1)) << "minimised";
    EXPECT_FALSE(ext::launchesPerFile(3, false, 1)) << "drive bar";
    EXPECT_FALSE(ext::launchesPerFile(2, false, 1)) << "tree";
    EXPECT_FALSE(ext::launchesPerFile(1, false, 0));
    EXPECT_TRUE(ext::isLaunchSkipped(16));
    EXPECT_TRUE(ext::isLaunchSkipped(8));
    EXPECT_FALSE(ext::isLaunchSkipped(0x21)) << "read-only archive file";
}

TEST(ProgramLaunch, CommandLineAndErrorText) {
    EXPECT_EQ(ext::launchCommandLine("C:\\W\\NOTEPAD.EXE /a", "C:\\X\\y."), "C:\\W\\NOTEPAD.EXE /a C:\\X\\y.");
    EXPECT_EQ(ext::launchCommandLine("C:\\W\\NOTEPAD.EXE", ""), "C:\\W\\NOTEPAD.EXE");
    EXPECT_EQ(ext::launchErrorText("Fehler Nr. %d beim Aufruf von:\n%s", 2, "x y"),
              "Fehler Nr. 2 beim Aufruf von:\nx y");
    // A command line holding % signs is taken as it is; a stray conversion stays text.
    EXPECT_EQ(ext::launchErrorText("%s %d %s %x", -1, "a%sb"), "a%sb -1 %s %x");
}
