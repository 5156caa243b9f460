// Equal files end to end in the real helper: letter 2 over a real tree, the
// result list read back line by line, the counters, the caption without a
// search text, the hidden column buttons and the full progress bar.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/win32/support/expected_lines.h"
#include "tests/win32/support/host_fixture.h"
#include "tests/win32/support/remote_window.h"
#include "tests/win32/support/search_tree.h"
#include "tests/win32/support/test_files.h"

using Lines = std::vector<std::string>;

TEST(EqualFilesEndToEnd, HelperLetterTwoListsEveryNameAndSizeMetTwice) {
    SearchTree tree;
    tree.file("a\\A.TXT", "0123456789");
    tree.file("b\\A.TXT", "abcdefghij");
    tree.file("c\\A.TXT", "0123456789X");     // one byte more: not equal
    tree.file("c\\sub\\a.txt", "0123456789"); // other case: not equal
    tree.file("T.DAT", "12345");
    tree.file("x\\T.DAT", "abcde", FILE_ATTRIBUTE_HIDDEN);
    tree.file("x\\y\\T.DAT", "zzzzz", FILE_ATTRIBUTE_READONLY);
    tree.file("big\\B.BIN", std::string(1234567, 'b'));
    tree.file("big\\more\\B.BIN", std::string(1234567, 'c'));
    tree.file("only.txt");
    tree.file("x\\.dot\\T.DAT", "12345"); // never visited
    TempDirectory lists;
    const std::string list = lists.file("zqk2.tmp");
    ASSERT_TRUE(writeBytes(list, tree.root() + "\r\nC:\\no\\such\\file.txt\r\n"));

    ChildProcess helper("\"" + besideTestProgram("quorvinx.exe") + "\" 2 \"" + list + "\"");
    ASSERT_TRUE(helper.started());
    HWND result = waitForWindow(helper.id(), "#32770", "searchresult - (Search for equal files)", 30000);
    ASSERT_NE(nullptr, result) << "the result dialog did not open (or its caption differs)";
    const DWORD start = GetTickCount();
    while (!IsWindowVisible(GetDlgItem(result, IDOK)) && GetTickCount() - start < 30000)
        Sleep(20);
    ASSERT_TRUE(IsWindowVisible(GetDlgItem(result, IDOK))) << "the comparison did not finish";

    const Lines walked = filesInWalkOrder(tree.root(), true);
    ASSERT_EQ(10u, walked.size());
    const Lines expected = expectedEqualFileLines(walked);
    ASSERT_EQ(10u, expected.size()) << "three groups: 2 + 3 + 2 occurrences";
    HWND box = GetDlgItem(result, 1025);
    EXPECT_EQ(expected, remoteListBoxItems(box));
    EXPECT_EQ("10", remoteText(GetDlgItem(result, 1026))) << "every collected file is compared; the missing one is not";
    EXPECT_EQ("4", remoteText(GetDlgItem(result, 1027))) << "occurrences beyond the first of each group";
    EXPECT_EQ("3", remoteText(GetDlgItem(result, 1029))) << "names found more than once";
    for (int id : {1031, 1030})
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(result, id))) << "button " << id << " is hidden";
    for (int id : {1088, 1029, 1089, 1000})
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(result, id))) << "control " << id << " shows";
    EXPECT_EQ(100, SendMessageA(GetDlgItem(result, 1000), PBM_GETPOS, 0, 0));

    SendMessageA(box, LB_SETSEL, TRUE, 0);
    SendMessageA(box, LB_SETSEL, TRUE, 1);
    remoteClick(result, IDOK);
    ASSERT_TRUE(helper.wait(15000)) << "the helper did not end";
    EXPECT_EQ(expected[0] + "\r\n" + expected[1] + "\r\n", clipboardText());
    EXPECT_FALSE(fileExists(list)) << "the list file is gone";
}
