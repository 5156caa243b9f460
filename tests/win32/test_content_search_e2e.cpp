// The content search end to end in the real helper: a selection list with a
// folder, letter 1, the prompt typed into, the remembered texts, the hits
// listed while the counters grow, OK copying the selected lines, and the
// list file gone at the end.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "tests/win32/support/helper_run.h"
#include "tests/win32/support/host_fixture.h"
#include "tests/win32/support/remote_window.h"
#include "tests/win32/support/search_tree.h"
#include "tests/win32/support/test_files.h"

namespace {

using Lines = std::vector<std::string>;

bool writeList(const std::string& path, const Lines& entries) {
    std::string bytes;
    for (const std::string& e : entries)
        bytes += e + "\r\n";
    return writeBytes(path, bytes);
}

long number(const std::string& text) {
    return text.empty() ? -1 : std::strtol(text.c_str(), nullptr, 10);
}

} // namespace

TEST(ContentSearchEndToEnd, HelperLetterOneFromListToClipboard) {
    WritePrivateProfileStringA("Suchbegriffe", "f1A", nullptr, "Quorvin.ini");
    WritePrivateProfileStringA("Suchbegriffe", "f1B", nullptr, "Quorvin.ini");
    SearchTree tree;
    tree.file("one.txt", "alpha foo\r\nbeta\r\ngamma BAR end\r\n");
    tree.file("skip.doc", "foo in a file the name filter leaves out\r\n");
    tree.file("sub\\two.txt", "Foo twice\r\nfoo bar both\r\n");
    // Enough files without hits that the walk outlasts the once-a-second
    // refresh even on a fast machine, so the counters are seen growing.
    for (int i = 0; i < 5000; ++i)
        tree.file("many\\m" + std::to_string(i) + ".txt", std::string(2000, 'z') + "\r\n");
    const std::string list = tree.path("zqk1.tmp");
    ASSERT_TRUE(writeList(list, {tree.root()}));

    ChildProcess helper("\"" + besideTestProgram("quorvinx.exe") + "\" 1 \"" + list + "\"");
    ASSERT_TRUE(helper.started());
    HWND prompt = waitForWindow(helper.id(), "#32770", "Find in files", 15000);
    ASSERT_NE(nullptr, prompt) << "the prompt did not open";
    EXPECT_EQ("*", remoteText(GetDlgItem(prompt, 110)));
    SendMessageA(GetDlgItem(prompt, 110), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("foo|bar"));
    SendMessageA(GetDlgItem(prompt, 111), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("*.txt"));
    remoteClick(prompt, IDOK);

    HWND result = waitForWindow(helper.id(), "#32770", "searchresult - (Find in files 'FOO|BAR')", 30000);
    ASSERT_NE(nullptr, result) << "the result dialog did not open";
    std::vector<long> searchedSeen;
    const DWORD start = GetTickCount();
    while (!IsWindowVisible(GetDlgItem(result, IDOK)) && GetTickCount() - start < 60000) {
        searchedSeen.push_back(number(remoteText(GetDlgItem(result, 1026))));
        Sleep(5);
    }
    ASSERT_TRUE(IsWindowVisible(GetDlgItem(result, IDOK))) << "the search did not finish";
    const long searched = number(remoteText(GetDlgItem(result, 1026)));
    const DWORD walkMs = GetTickCount() - start;
    EXPECT_EQ(5004, searched) << "every file the walk reaches counts, the name filter decides later";
    bool grew = false;
    for (long v : searchedSeen)
        grew = grew || (v > 0 && v < searched);
    std::string seenText;
    for (long v : searchedSeen)
        seenText += std::to_string(v) + " ";
    // The display is refreshed once a second: a walk shorter than that shows no middle value.
    if (walkMs > 1500) {
        EXPECT_TRUE(grew) << "the counter showed a value between the start and the end in " << walkMs
                          << " ms; seen: " << seenText;
    }
    EXPECT_EQ("4", remoteText(GetDlgItem(result, 1027)));
    EXPECT_EQ("2", remoteText(GetDlgItem(result, 1029)));

    HWND box = GetDlgItem(result, 1025);
    const Lines lines = remoteListBoxItems(box);
    const std::string one = tree.path("one.txt") + "\t", two = tree.path("sub\\two.txt") + "\t";
    EXPECT_EQ((Lines{one + "alpha foo", one + "gamma BAR end", " ", two + "Foo twice", two + "foo bar both", " "}),
              lines)
        << "the root's files come before its subfolders";
    SendMessageA(box, LB_SETSEL, TRUE, 0);
    SendMessageA(box, LB_SETSEL, TRUE, 4);
    remoteClick(result, IDOK);
    ASSERT_TRUE(helper.wait(15000)) << "the helper did not end";

    EXPECT_EQ(one + "alpha foo\r\n" + two + "foo bar both\r\n", clipboardText());
    EXPECT_EQ("foo|bar", rememberedSearchText("f1A"));
    EXPECT_EQ("*.txt", rememberedSearchText("f1B"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(list.c_str())) << "the list file is gone";
}

TEST(ContentSearchEndToEnd, CancelledPromptSearchesNothingAndDeletesTheList) {
    SearchTree tree;
    const std::string list = tree.path("zqk2.tmp");
    ASSERT_TRUE(writeList(list, {tree.root()}));
    WritePrivateProfileStringA("Suchbegriffe", "f1A", "kept", "Quorvin.ini");
    ChildProcess helper("\"" + besideTestProgram("quorvinx.exe") + "\" 1 \"" + list + "\"");
    HWND prompt = waitForWindow(helper.id(), "#32770", "Find in files", 15000);
    ASSERT_NE(nullptr, prompt);
    EXPECT_EQ("kept", remoteText(GetDlgItem(prompt, 110)));
    SendMessageA(GetDlgItem(prompt, 110), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("changed"));
    remoteClick(prompt, IDCANCEL);
    ASSERT_TRUE(helper.wait(15000));
    EXPECT_EQ("kept", rememberedSearchText("f1A"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(list.c_str()));
}

TEST(ContentSearchEndToEnd, ListThatCannotBeOpened) {
    ChildProcess helper("\"" + besideTestProgram("quorvinx.exe") + "\" 1 C:\\no\\such\\list.tmp");
    HWND prompt = waitForWindow(helper.id(), "#32770", "Find in files", 15000);
    ASSERT_NE(nullptr, prompt);
    remoteClick(prompt, IDOK);
    HWND box = waitForWindow(helper.id(), "#32770", "Quorvin", 15000);
    ASSERT_NE(nullptr, box) << "no message about the list";
    EXPECT_EQ("Error: Open (tmp)", remoteText(GetDlgItem(box, 0xFFFF)));
    remoteClick(box, IDOK);
    EXPECT_TRUE(helper.wait(15000));
}
