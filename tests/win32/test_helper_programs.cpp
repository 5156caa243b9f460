// The helper's program list (letter 0, here without arguments) with its
// About box and menu-style dialog, and run with parameters (letter 9), in
// the real helper.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "tests/win32/support/helper_run.h"
#include "tests/win32/support/remote_window.h"
#include "tests/win32/support/test_files.h"

namespace {

std::string ini(const char* section, const char* key) {
    char value[300] = "";
    GetPrivateProfileStringA(section, key, "(none)", value, sizeof value, "Quorvin.ini");
    return value;
}

void setText(HWND dialog, int id, const char* text) {
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

} // namespace

TEST(HelperPrograms, ProgramListChecksEveryEntryBeforeSaving) {
    const char* stored[] = {"Notepad", "Write /p", "WinWord", "Excel", "-", "-", "-", "-"};
    for (int i = 0; i < 8; ++i)
        WritePrivateProfileStringA("Programme", ("Programm_" + std::to_string(i + 1)).c_str(), stored[i],
                                   "Quorvin.ini");
    WritePrivateProfileStringA("Menu", "Art", nullptr, "Quorvin.ini");
    ChildProcess helper(helperCommand(""));
    const HWND dialog = waitForWindow(helper.id(), "#32770", "Program settings", 15000);
    ASSERT_NE(nullptr, dialog);
    // Programs the platform cannot find show empty.
    const char* shown[] = {"Notepad", "Write /p", "", "", "", "", "", ""};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(shown[i], remoteText(GetDlgItem(dialog, 1016 + i))) << "entry " << i + 1;
    EXPECT_EQ("Programme", remoteText(GetDlgItem(dialog, 1002)));
    EXPECT_EQ("About Quorvin", remoteText(GetDlgItem(dialog, 1091)));

    // A typo in the fifth entry: the message names its first word, nothing is saved.
    setText(dialog, 1020, "Notpad /x");
    setText(dialog, 1017, "");
    remoteClick(dialog, IDOK);
    std::string text;
    HWND box = waitForMessageBox(helper.id(), text);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("Das Programm 'Notpad' kann nicht gefunden werden !", text);
    remoteClick(box, IDOK);
    Sleep(200);
    EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog stays open";
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(stored[i], ini("Programme", ("Programm_" + std::to_string(i + 1)).c_str())) << "entry " << i + 1;

    // About box.
    remoteClick(dialog, 1091);
    const HWND about = waitForWindow(helper.id(), "#32770", "About Quorvin", 15000);
    ASSERT_NE(nullptr, about);
    EXPECT_EQ(std::string("Version: 1.1.005 ") + (sizeof(void*) == 8 ? "(64 Bit)" : "(32 Bit)"),
              remoteText(GetDlgItem(about, 1097)));
    EXPECT_EQ("You may give this program to everyone you like. This is intended !",
              remoteText(GetDlgItem(about, 1000)));
    remoteClick(about, IDOK);
    Sleep(200);

    // Menu style: style 0 at start, so its button is the default; a click stores the other.
    remoteClick(dialog, 1054);
    const HWND style = waitForWindow(helper.id(), "#32770", "Menu", 15000);
    ASSERT_NE(nullptr, style);
    EXPECT_EQ(1006, LOWORD(SendMessageA(style, DM_GETDEFID, 0, 0)));
    EXPECT_EQ("this Menu", remoteText(GetDlgItem(style, 1005)));
    remoteClick(style, 1005);
    Sleep(200);
    EXPECT_EQ("1", ini("Menu", "Art"));

    // Mended, the list is saved: empty and unresolvable entries as "-".
    setText(dialog, 1020, "Notepad /x");
    remoteClick(dialog, IDOK);
    ASSERT_TRUE(helper.wait(15000)) << "OK did not close the dialog";
    const char* saved[] = {"Notepad", "-", "-", "-", "Notepad /x", "-", "-", "-"};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(saved[i], ini("Programme", ("Programm_" + std::to_string(i + 1)).c_str())) << "entry " << i + 1;
}

namespace {

// Letter 9 on a list; types `program` into the run dialog and confirms.
// Returns the parameter field as shown; the process is left running.
std::string runDialog(ChildProcess& helper, const char* program) {
    const HWND dialog = waitForWindow(helper.id(), "#32770", "Run", 15000);
    if (dialog == nullptr)
        return "(no run dialog)";
    const std::string parameters = remoteText(GetDlgItem(dialog, 1002));
    EXPECT_EQ("Program:", remoteText(GetDlgItem(dialog, 1003)));
    setText(dialog, 1001, program);
    remoteClick(dialog, IDOK);
    return parameters;
}

struct CaptionSearch {
    std::string part;
    HWND found;
};

BOOL CALLBACK matchCaption(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<CaptionSearch*>(data);
    if (IsWindowVisible(window) && remoteText(window).find(search->part) != std::string::npos)
        search->found = window;
    return search->found == nullptr ? TRUE : FALSE;
}

HWND windowWithCaptionContaining(const std::string& part, int timeoutMs) {
    CaptionSearch search{part, nullptr};
    const DWORD start = GetTickCount();
    while (search.found == nullptr && GetTickCount() - start < static_cast<DWORD>(timeoutMs)) {
        EnumWindows(matchCaption, reinterpret_cast<LPARAM>(&search));
        Sleep(50);
    }
    return search.found;
}

} // namespace

TEST(HelperPrograms, RunWithParametersOpensTheFirstEntryOrReportsTheError) {
    TempDirectory dir;
    ASSERT_TRUE(writeBytes(dir.file("run_me.txt"), "text\r\n"));
    ASSERT_TRUE(writeListFile(dir.file("zqkr1.tmp"), {dir.file("run_me.txt"), dir.file("second.txt")}));
    {
        ChildProcess helper(helperCommand("9 zqkr1.tmp"), dir.path().c_str());
        EXPECT_EQ(dir.file("run_me.txt"), runDialog(helper, "notepad")) << "only the first entry is offered";
        const HWND editor = windowWithCaptionContaining("run_me", 15000);
        EXPECT_NE(nullptr, editor) << "the editor did not open the file";
        if (editor != nullptr)
            PostMessageA(editor, WM_CLOSE, 0, 0);
        EXPECT_TRUE(helper.wait(15000));
    }
    EXPECT_FALSE(fileExists(dir.file("zqkr1.tmp")));

    ASSERT_TRUE(writeListFile(dir.file("zqkr2.tmp"), {dir.file("run_me.txt")}));
    {
        ChildProcess helper(helperCommand("9 zqkr2.tmp"), dir.path().c_str());
        runDialog(helper, "no_such_program.exe");
        std::string text;
        const HWND box = waitForMessageBox(helper.id(), text);
        ASSERT_NE(nullptr, box);
        EXPECT_EQ("Error No. 2 by execution:\nno_such_program.exe", text);
        remoteClick(box, IDOK);
        EXPECT_TRUE(helper.wait(15000));
    }
    EXPECT_FALSE(fileExists(dir.file("zqkr2.tmp")));

    // An empty list shows nothing and still goes.
    ASSERT_TRUE(writeBytes(dir.file("zqkr3.tmp"), ""));
    ChildProcess helper(helperCommand("9 zqkr3.tmp"), dir.path().c_str());
    EXPECT_TRUE(helper.wait(15000));
    EXPECT_TRUE(processWindows(helper.id()).empty());
    EXPECT_FALSE(fileExists(dir.file("zqkr3.tmp")));
}
