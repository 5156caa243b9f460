// Equal files and file-name search end to end in the real helper, each over
// a real tree: letter 2 with its result list read back line by line, the
// counters, the caption without a search text, the hidden column buttons and
// the full progress bar; letter 4 with only "Hidden" ticked in its prompt,
// the matching hidden files listed exactly and the controls that mode hides.
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

namespace {

using Lines = std::vector<std::string>;

// The command line that starts the helper with a letter on a list file.
std::string helperCommand(char letter, const std::string& list) {
    return "\"" + besideTestProgram("quorvinx.exe") + "\" " + letter + " \"" + list + "\"";
}

// The helper's result dialog once its tool has finished (OK shows), or nullptr.
HWND finishedResult(DWORD pid, const char* caption) {
    HWND result = waitForWindow(pid, "#32770", caption, 30000);
    const DWORD start = GetTickCount();
    while (result != nullptr && !IsWindowVisible(GetDlgItem(result, IDOK))) {
        if (GetTickCount() - start > 30000)
            return nullptr;
        Sleep(20);
    }
    return result;
}

} // namespace

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

    ChildProcess helper(helperCommand('2', list));
    ASSERT_TRUE(helper.started());
    HWND result = finishedResult(helper.id(), "searchresult - (Search for equal files)");
    ASSERT_NE(nullptr, result) << "no finished result dialog with this caption";

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

TEST(NameSearchEndToEnd, HelperLetterFourWithHiddenOnly) {
    WritePrivateProfileStringA("Suchbegriffe", "f4A", nullptr, "Quorvin.ini");
    SearchTree tree;
    tree.file("h1.txt", "x", FILE_ATTRIBUTE_HIDDEN);
    tree.file("plain.txt", "x");
    tree.file("sub\\h2.doc", std::string(1234, 'd'), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
    tree.file("sub\\h3.bin", "x", FILE_ATTRIBUTE_HIDDEN);
    tree.file("sub\\h4.txt.bak", "x", FILE_ATTRIBUTE_HIDDEN);
    tree.file("sub\\.h5.txt", "x", FILE_ATTRIBUTE_HIDDEN); // never visited
    TempDirectory lists;
    const std::string list = lists.file("zqk4.tmp");
    ASSERT_TRUE(writeBytes(list, tree.root() + "\r\n"));

    ChildProcess helper(helperCommand('4', list));
    ASSERT_TRUE(helper.started());
    HWND prompt = waitForWindow(helper.id(), "#32770", "Find filename", 15000);
    ASSERT_NE(nullptr, prompt) << "the prompt did not open";
    EXPECT_EQ("*", remoteText(GetDlgItem(prompt, 110)));
    EXPECT_EQ("&Ok", remoteText(GetDlgItem(prompt, IDOK)));
    SendMessageA(GetDlgItem(prompt, 110), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("*.txt | *.Doc"));
    for (int box : {1008, 1009, 1010}) // System, Readonly, Archive off; Hidden stays
        SendMessageA(GetDlgItem(prompt, box), BM_SETCHECK, BST_UNCHECKED, 0);
    remoteClick(prompt, IDOK);

    HWND result = finishedResult(helper.id(), "searchresult - (Find filename '*.TXT | *.DOC')");
    ASSERT_NE(nullptr, result) << "no finished result dialog with this caption";

    const Lines expected = {foundFileLine(tree.path("h1.txt"), "  "), foundFileLine(tree.path("sub\\h2.doc"), "  ")};
    EXPECT_EQ(expected, remoteListBoxItems(GetDlgItem(result, 1025)));
    EXPECT_NE(std::string::npos, expected[1].find("\tRH")) << expected[1];
    EXPECT_EQ("  1.234", expected[1].substr(expected[1].rfind('\t') + 1));
    EXPECT_EQ("5", remoteText(GetDlgItem(result, 1026))) << "every file the walk reaches counts";
    EXPECT_EQ("2", remoteText(GetDlgItem(result, 1027)));
    for (int id : {1031, 1030, 1088, 1029, 1089, 1000})
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(result, id))) << "control " << id << " is hidden in this mode";
    remoteClick(result, IDOK);
    ASSERT_TRUE(helper.wait(15000)) << "the helper did not end";

    char remembered[100] = "";
    GetPrivateProfileStringA("Suchbegriffe", "f4A", "", remembered, sizeof remembered, "Quorvin.ini");
    EXPECT_STREQ("*.txt | *.Doc", remembered);
    EXPECT_FALSE(fileExists(list));
}
