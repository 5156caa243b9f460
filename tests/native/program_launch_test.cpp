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

TEST(ProgramLaunch, ErrorTextTakesTheCommandLineAsItIs) {
    EXPECT_EQ(ext::launchErrorText("Fehler Nr. %d beim Aufruf von:\n%s", 2, "x y"),
              "Fehler Nr. 2 beim Aufruf von:\nx y");
    EXPECT_EQ(ext::launchErrorText("%s %d %s %x", -1, "a%sb"), "a%sb -1 %s %x");
}
