// The extension's own content search (command 16 on Windows 3.50 and older),
// with the real korbinen.dll in a stand-in File Manager: the prompt that
// remembers its text, the walk over the selection in enumeration order, the
// result list and the clipboard. Wine reports an old Windows only to a
// program named for it at start, so the checks run in a child copy of this
// program that Wine takes for Windows 3.10.
#include <gtest/gtest.h>

#include <windows.h>
#include "common/win/fm_extension.h"

#include <map>
#include <string>
#include <vector>

#include "tests/win32/support/expected_lines.h"
#include "tests/win32/support/host_fixture.h"
#include "tests/win32/support/old_windows.h"
#include "tests/win32/support/remote_window.h"
#include "tests/win32/support/robot.h"
#include "tests/win32/support/search_tree.h"

namespace {

using Lines = std::vector<std::string>;

struct SearchRun {
    std::string caption, initialText;
    Lines lines;
    std::string searched, hits, withHits;
};

// Command 16 through FMExtensionProc, the prompt answered with `typed`, the
// first `select` lines selected before OK.
SearchRun runCommand16(HostFixture& host, const std::string& typed, int select) {
    SearchRun run;
    Robot robot;
    robot.onDialog("Find in files", [&](HWND d) {
        run.initialText = Robot::itemText(d, 113);
        Robot::setItemText(d, 113, typed.c_str());
        Robot::click(d, IDOK);
        return true;
    });
    robot.onDialog("searchresult", [&](HWND d) {
        if (!IsWindowVisible(GetDlgItem(d, IDOK)))
            return false;
        run.caption = Robot::text(d);
        run.lines = listBoxLines(GetDlgItem(d, 182));
        run.searched = Robot::itemText(d, 185);
        run.hits = Robot::itemText(d, 188);
        run.withHits = Robot::itemText(d, 194);
        for (int i = 0; i < select; ++i)
            SendDlgItemMessageA(d, 182, LB_SETSEL, TRUE, i);
        Robot::click(d, IDOK);
        return true;
    });
    host.call(16);
    EXPECT_TRUE(robot.done()) << "a dialog did not come";
    return run;
}

} // namespace

TEST(ExtensionSearch, InProcessPathOnOldWindows) {
    if (inOldWindowsChild())
        GTEST_SKIP() << "this is the child";
    expectOldWindowsChildPasses("ExtensionSearchOldWindows.*");
}

TEST(ExtensionSearchOldWindows, Command16SearchesTheSelection) {
    if (!inOldWindowsChild())
        GTEST_SKIP() << "runs in the child that Wine takes for Windows 3.10";
    ASSERT_EQ(3u, LOBYTE(LOWORD(GetVersion())));
    SearchTree tree;
    tree.file("single.txt", "Foo in the single file\n");
    tree.file("dir\\a.txt", "no\nfoo a\n");
    tree.file("dir\\deeper\\b.txt", "FOO b\n");
    tree.file("dir\\c.txt", "fOo c\n");
    tree.file("dir\\.dot.txt", "foo never\n");
    HostFixture host;
    ASSERT_TRUE(host.loadLibrary());
    host.sendLoad();
    host.call(12); // refresh: commands reach the routing at all
    ASSERT_GT(host.countReceived(FM_REFRESH_WINDOWS), 0) << "FMExtensionProc does not route commands";

    host.state.focus = FMFOCUS_DIR;
    host.state.selection = {{tree.path("dir")}, {tree.path("single.txt")}};
    const SearchRun first = runCommand16(host, "foo", 2);
    EXPECT_EQ("", first.initialText) << "nothing typed yet since the extension was loaded";
    EXPECT_EQ("searchresult", first.caption);

    Lines files = filesInWalkOrder(tree.path("dir"), false);
    files.push_back(tree.path("single.txt"));
    const std::map<std::string, std::string> hit = {{tree.path("dir\\a.txt"), "foo a"},
                                                    {tree.path("dir\\deeper\\b.txt"), "FOO b"},
                                                    {tree.path("dir\\c.txt"), "fOo c"},
                                                    {tree.path("single.txt"), "Foo in the single file"}};
    Lines expected;
    for (const std::string& f : files) {
        expected.push_back(f + "\t" + hit.at(f));
        expected.push_back(" ");
    }
    EXPECT_EQ(expected, first.lines) << "one pass per folder in enumeration order";
    EXPECT_EQ("4", first.searched);
    EXPECT_EQ("4", first.hits);
    EXPECT_EQ("4", first.withHits);
    EXPECT_EQ(expected[0] + "\r\n" + expected[1] + "\r\n", clipboardText());

    // The tree has the focus: the window's current folder is searched, and the
    // prompt offers the text typed last time.
    host.state.focus = FMFOCUS_TREE;
    host.state.currentDirectory = tree.path("dir\\deeper");
    const SearchRun second = runCommand16(host, "b", 0);
    EXPECT_EQ("foo", second.initialText);
    EXPECT_EQ(Lines({tree.path("dir\\deeper\\b.txt") + "\tFOO b", " "}), second.lines);
    host.sendUnload();
}
