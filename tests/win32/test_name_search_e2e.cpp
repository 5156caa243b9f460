// File-name search end to end in the real helper: letter 4, the one-field
// prompt with only "Hidden" ticked, the lines of the hidden files that match
// read back exactly, the counters and the controls this mode hides.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "tests/win32/support/expected_lines.h"
#include "tests/win32/support/host_fixture.h"
#include "tests/win32/support/remote_window.h"
#include "tests/win32/support/search_tree.h"
#include "tests/win32/support/test_files.h"

using Lines = std::vector<std::string>;

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

    ChildProcess helper("\"" + besideTestProgram("quorvinx.exe") + "\" 4 \"" + list + "\"");
    ASSERT_TRUE(helper.started());
    HWND prompt = waitForWindow(helper.id(), "#32770", "Find filename", 15000);
    ASSERT_NE(nullptr, prompt) << "the prompt did not open";
    EXPECT_EQ("*", remoteText(GetDlgItem(prompt, 110)));
    EXPECT_EQ("&Ok", remoteText(GetDlgItem(prompt, IDOK)));
    SendMessageA(GetDlgItem(prompt, 110), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("*.txt | *.Doc"));
    for (int box : {1008, 1009, 1010}) // System, Readonly, Archive off; Hidden stays
        SendMessageA(GetDlgItem(prompt, box), BM_SETCHECK, BST_UNCHECKED, 0);
    remoteClick(prompt, IDOK);

    HWND result = waitForWindow(helper.id(), "#32770", "searchresult - (Find filename '*.TXT | *.DOC')", 30000);
    ASSERT_NE(nullptr, result) << "the result dialog did not open (or its caption differs)";
    const DWORD start = GetTickCount();
    while (!IsWindowVisible(GetDlgItem(result, IDOK)) && GetTickCount() - start < 30000)
        Sleep(20);
    ASSERT_TRUE(IsWindowVisible(GetDlgItem(result, IDOK))) << "the search did not finish";

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
