// The extension's own size summation (command 11 on Windows 3.50 and older)
// with the real korbinen.dll in a stand-in File Manager: the prompt, every
// file of the selection walked, the matching ones added up into the byte, KB
// and MB lines of the result dialog.
#include <gtest/gtest.h>

#include <windows.h>
#include "common/win/fm_extension.h"

#include <string>
#include <vector>

#include "tests/win32/support/host_fixture.h"
#include "tests/win32/support/old_windows.h"
#include "tests/win32/support/robot.h"
#include "tests/win32/support/search_tree.h"

using Lines = std::vector<std::string>;

TEST(ExtensionSizeSum, InProcessPathOnOldWindows) {
    if (inOldWindowsChild())
        GTEST_SKIP() << "this is the child";
    expectOldWindowsChildPasses("ExtensionSizeSumOldWindows.*");
}

TEST(ExtensionSizeSumOldWindows, Command11AddsTheMatchingFiles) {
    if (!inOldWindowsChild())
        GTEST_SKIP() << "runs in the child that Wine takes for Windows 3.10";
    ASSERT_EQ(3u, LOBYTE(LOWORD(GetVersion())));
    SearchTree tree;
    tree.file("dir\\a.txt", std::string(1048576, 'a'));
    tree.file("dir\\deeper\\B.TXT", std::string(262144, 'b'));
    tree.file("dir\\c.doc", std::string(1000, 'c'));
    tree.file("dir\\hidden.txt", std::string(131072, 'h'), FILE_ATTRIBUTE_HIDDEN);
    tree.file("dir\\.dot.txt", std::string(5000, 'd'));
    tree.file("single.txt", std::string(131072, 's'));
    HostFixture host;
    ASSERT_TRUE(host.loadLibrary());
    host.sendLoad();
    host.state.focus = FMFOCUS_DIR;
    host.state.selection = {{tree.path("dir")}, {tree.path("single.txt")}};

    std::string caption;
    Lines lines;
    std::string searched, hits;
    bool compactShown = true, withHitsShown = true;
    Robot robot;
    robot.onDialog("Add filesize", [&](HWND d) {
        Robot::setItemText(d, 113, "*.TXT");
        Robot::click(d, IDOK);
        return true;
    });
    robot.onDialog("searchresult", [&](HWND d) {
        if (!IsWindowVisible(GetDlgItem(d, IDOK)))
            return false;
        caption = Robot::text(d);
        lines = listBoxLines(GetDlgItem(d, 182));
        searched = Robot::itemText(d, 185);
        hits = Robot::itemText(d, 188);
        compactShown = IsWindowVisible(GetDlgItem(d, 197));
        withHitsShown = IsWindowVisible(GetDlgItem(d, 194));
        Robot::click(d, IDOK);
        return true;
    });
    host.call(11);
    EXPECT_TRUE(robot.done()) << "a dialog did not come";
    EXPECT_EQ((Lines{"Byte:\t1.572.864", "KB:\t1.536", "MB:\t1,50"}), lines)
        << "four .txt files, the hidden one too; the .doc and the dot file left out";
    EXPECT_EQ("5", searched);
    EXPECT_EQ("4", hits) << "one hit per counted file";
    EXPECT_FALSE(compactShown);
    EXPECT_FALSE(withHitsShown);
    host.sendUnload();
}
