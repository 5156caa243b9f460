// The context menu of the helper's result list, opened by real right-button
// presses on a content search's hit lines: a configured program started per
// line in its folder, delete with its questions and a locked file, copy into
// a bad and into a new nested target, date and attributes of a line's file.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "tests/win32/support/helper_run.h"
#include "tests/win32/support/host_fixture.h"
#include "tests/win32/support/remote_window.h"
#include "tests/win32/support/result_menu_robot.h"
#include "tests/win32/support/search_tree.h"
#include "tests/win32/support/test_files.h"

namespace {

using Lines = std::vector<std::string>;

std::string recorderLog() {
    char directory[MAX_PATH] = "";
    GetTempPathA(sizeof directory, directory);
    return std::string(directory) + "arg_recorder.log";
}

} // namespace

TEST(HelperResultMenu, ProgramsDeleteAndCopyOnSelectedLines) {
    const std::string recorder = besideTestProgram("arg_recorder.exe");
    ProgramSettings settings({"-", recorder + " /x"});
    DeleteFileA(recorderLog().c_str());
    SearchTree tree;
    for (const char* name : {"a.txt", "b.txt", "sub\\c.txt", "locked.txt"})
        ASSERT_TRUE(tree.file(name, "needle\r\n"));
    ASSERT_TRUE(writeListFile(tree.path("zqkm.tmp"), {tree.root()}));
    ChildProcess helper(helperCommand("1 zqkm.tmp"), tree.root().c_str());
    const HWND result = needleSearchResult(helper.id(), "*");
    ASSERT_NE(nullptr, result);
    const HWND list = GetDlgItem(result, 1025);
    const std::size_t lineCount = remoteListBoxItems(list).size();
    const std::string a = tree.path("a.txt"), b = tree.path("b.txt"), c = tree.path("sub\\c.txt"),
                      locked = tree.path("locked.txt");

    // Nothing selected: a message instead of the menu.
    ASSERT_TRUE(pickFromMenu(list, {}, 0));
    EXPECT_EQ("no file(s) selected !", answerBox(helper.id(), IDOK));

    // Menu: recorder, date, attributes, delete, copy. The program runs once per
    // line, in the line's folder, with the configured switch and the path.
    ASSERT_TRUE(pickFromMenu(list, {a, c}, 1));
    const DWORD start = GetTickCount();
    while (readBytes(recorderLog()).find(c) == std::string::npos && GetTickCount() - start < 10000)
        Sleep(50);
    std::string log = readBytes(recorderLog());
    EXPECT_NE(std::string::npos, log.find(tree.root() + "|/x " + a + "\r\n")) << log;
    EXPECT_NE(std::string::npos, log.find(tree.path("sub") + "|/x " + c + "\r\n")) << log;

    // Delete: No keeps the files; Yes deletes, a locked file asks Abort/Retry/Ignore.
    ASSERT_TRUE(pickFromMenu(list, {a, b, locked}, 4));
    EXPECT_EQ("delete all file ?", answerBox(helper.id(), IDNO));
    EXPECT_TRUE(fileExists(a));
    HANDLE lock = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    ASSERT_TRUE(pickFromMenu(list, {a, b, locked}, 4));
    EXPECT_EQ("delete all file ?", answerBox(helper.id(), IDYES));
    EXPECT_EQ("error by delete file:\n" + locked, answerBox(helper.id(), IDRETRY));
    EXPECT_EQ("error by delete file:\n" + locked, answerBox(helper.id(), IDIGNORE)) << "Retry tries again";
    EXPECT_EQ("ok", answerBox(helper.id(), IDOK));
    CloseHandle(lock);
    EXPECT_FALSE(fileExists(a));
    EXPECT_FALSE(fileExists(b));
    EXPECT_TRUE(fileExists(locked));
    EXPECT_EQ(lineCount, remoteListBoxItems(list).size()) << "the lines stay";

    // Copy: a target without drive is refused; a new nested one is made.
    ASSERT_TRUE(pickFromMenu(list, {c, locked}, 5));
    HWND target = waitForWindow(helper.id(), "#32770", "copy file(s)", 15000);
    ASSERT_NE(nullptr, target);
    SendMessageA(GetDlgItem(target, 1012), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("temp"));
    remoteClick(target, IDOK);
    EXPECT_EQ("please drive and directory,\nExample:  c:\\temp", answerBox(helper.id(), IDOK));
    ASSERT_TRUE(pickFromMenu(list, {c, locked}, 5));
    target = waitForWindow(helper.id(), "#32770", "copy file(s)", 15000);
    ASSERT_NE(nullptr, target);
    const std::string nested = tree.path("new\\deep\\er");
    SendMessageA(GetDlgItem(target, 1012), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(nested.c_str()));
    remoteClick(target, IDOK);
    const DWORD copyStart = GetTickCount();
    while ((readBytes(nested + "\\c.txt").empty() || readBytes(nested + "\\locked.txt").empty()) &&
           GetTickCount() - copyStart < 20000)
        Sleep(50);
    EXPECT_EQ("needle\r\n", readBytes(nested + "\\c.txt"));
    EXPECT_EQ("needle\r\n", readBytes(nested + "\\locked.txt"));

    // Date, then attributes, on the selected line's file itself.
    ASSERT_TRUE(pickFromMenu(list, {c}, 2));
    const HWND date = waitForWindow(helper.id(), "#32770", "set date/time", 15000);
    ASSERT_NE(nullptr, date);
    const struct {
        int id;
        const char* text;
    } fields[] = {{1038, "24"}, {1039, "12"}, {1041, "2025"}, {1042, "13"}, {1043, "45"}, {1044, "58"}};
    for (const auto& f : fields)
        SendMessageA(GetDlgItem(date, f.id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(f.text));
    remoteClick(date, IDOK);
    SYSTEMTIME stamped{};
    for (const DWORD t = GetTickCount(); stamped.wYear != 2025 && GetTickCount() - t < 5000; Sleep(50)) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        FILETIME local;
        GetFileAttributesExA(c.c_str(), GetFileExInfoStandard, &data);
        FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
        FileTimeToSystemTime(&local, &stamped);
    }
    EXPECT_EQ((std::vector<int>{2025, 12, 24, 13, 45, 58}),
              (std::vector<int>{stamped.wYear, stamped.wMonth, stamped.wDay, stamped.wHour, stamped.wMinute,
                                stamped.wSecond}));
    ASSERT_TRUE(pickFromMenu(list, {c}, 3));
    const HWND attributes = waitForWindow(helper.id(), "#32770", "set fileattributes", 15000);
    ASSERT_NE(nullptr, attributes);
    remoteClick(attributes, 1044); // set read-only
    remoteClick(attributes, IDOK);
    for (const DWORD t = GetTickCount();
         !(GetFileAttributesA(c.c_str()) & FILE_ATTRIBUTE_READONLY) && GetTickCount() - t < 5000;)
        Sleep(50);
    EXPECT_TRUE(GetFileAttributesA(c.c_str()) & FILE_ATTRIBUTE_READONLY);

    remoteClick(result, IDOK);
    EXPECT_TRUE(helper.wait(15000));
    EXPECT_FALSE(fileExists(tree.path("zqkm.tmp"))) << "the list file goes after a program ran elsewhere";
    DeleteFileA(recorderLog().c_str());
}
