// Copy list and paste if changed in the real helper on real trees: letter 7
// remembers a folder, letter 8 pastes it into another one, again and again,
// as destination files become newer, bigger, older or read-only.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/win32/support/helper_run.h"
#include "tests/win32/support/remote_window.h"
#include "tests/win32/support/search_tree.h"
#include "tests/win32/support/test_files.h"

namespace {

using Lines = std::vector<std::string>;

std::string copyListFile() {
    char directory[MAX_PATH] = "";
    GetTempPathA(sizeof directory, directory);
    return std::string(directory) + "quorvinx_copy_files.tmp";
}

// Letter 8 onto `target` with this pattern: the result lines, and the hit count shown.
Lines paste(const std::string& listDirectory, const std::string& target, const char* pattern, long* hits = nullptr) {
    const std::string list = listDirectory + "\\zqkpaste.tmp";
    if (!writeListFile(list, {target}))
        return {"(list not written)"};
    ChildProcess helper(helperCommand("8 zqkpaste.tmp"), listDirectory.c_str());
    const HWND prompt = waitForWindow(helper.id(), "#32770", "Paste, provided file changed", 15000);
    if (prompt == nullptr)
        return {"(no prompt)"};
    SendMessageA(GetDlgItem(prompt, 110), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pattern));
    remoteClick(prompt, IDOK);
    const std::string caption = std::string("searchresult - (Paste, provided file changed '") + pattern + "')";
    const HWND result = waitForWindow(helper.id(), "#32770", caption.c_str(), 15000);
    if (result == nullptr || !waitForResultFinished(result))
        return {"(no result dialog " + caption + ")"};
    Lines lines = remoteListBoxItems(GetDlgItem(result, 1025));
    std::sort(lines.begin(), lines.end()); // folders come in the order the file system keeps them
    if (hits != nullptr)
        *hits = std::strtol(remoteText(GetDlgItem(result, 1027)).c_str(), nullptr, 10);
    remoteClick(result, IDOK);
    helper.wait(15000);
    if (fileExists(list))
        lines.push_back("(list file kept)");
    return lines;
}

Lines sorted(Lines lines) {
    std::sort(lines.begin(), lines.end());
    return lines;
}

void setWriteTime(const std::string& path, const FILETIME& time) {
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
}

FILETIME writeTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

FILETIME shifted(FILETIME t, long long seconds) {
    ULARGE_INTEGER v{{t.dwLowDateTime, t.dwHighDateTime}};
    v.QuadPart += seconds * 10000000LL;
    return {v.LowPart, v.HighPart};
}

} // namespace

TEST(HelperPaste, CopyListThenPasteOnlyWhatChanged) {
    SearchTree source, target;
    ASSERT_TRUE(source.file("A\\B\\X\\Y.TXT", "why"));
    ASSERT_TRUE(source.file("A\\B\\one.txt", "one"));
    ASSERT_TRUE(source.file("A\\B\\sub\\two.dat", "two"));
    const std::string folder = source.path("A\\B");

    // Letter 7: the copy list holds the selection; the list file goes.
    ASSERT_TRUE(writeListFile(source.path("zqkcopy.tmp"), {folder}));
    {
        ChildProcess helper(helperCommand("7 zqkcopy.tmp"), source.root().c_str());
        std::string text;
        const HWND box = waitForMessageBox(helper.id(), text);
        ASSERT_NE(nullptr, box) << "no confirmation";
        EXPECT_EQ("Files copied,\nuse menu 'Quorvin' --> 'Paste, provided file changed'\nfor paste files.", text);
        remoteClick(box, IDOK);
        ASSERT_TRUE(helper.wait(15000));
    }
    EXPECT_EQ(folder + "\r\n", readBytes(copyListFile()));
    EXPECT_FALSE(fileExists(source.path("zqkcopy.tmp")));

    const std::string y = target.path("B\\X\\Y.TXT"), one = target.path("B\\one.txt"),
                      two = target.path("B\\sub\\two.dat");
    auto line = [&](const char* marker, const std::string& relative, const std::string& destination) {
        return std::string(" ") + marker + " " + folder + "\\" + relative + "\t--> " + destination;
    };
    long hits = 0;
    EXPECT_EQ(sorted({line("(copied)", "one.txt", one), line("(copied)", "sub\\two.dat", two),
                      line("(copied)", "X\\Y.TXT", y)}),
              paste(target.root(), target.root(), "*", &hits));
    EXPECT_EQ(3, hits);
    EXPECT_EQ("why", readBytes(y)) << "the folders on the way were made";
    EXPECT_EQ(sorted({line("(equal) ", "one.txt", one), line("(equal) ", "sub\\two.dat", two),
                      line("(equal) ", "X\\Y.TXT", y)}),
              paste(target.root(), target.root(), "*"))
        << "the copy list is kept for a second paste";

    // Newer destination: kept. Same time, other size: copied. Older and
    // read-only: overwritten.
    ASSERT_TRUE(writeBytes(one, "newer"));
    setWriteTime(one, shifted(writeTime(source.path("A\\B\\one.txt")), 3600));
    ASSERT_TRUE(writeBytes(y, "longer text"));
    setWriteTime(y, writeTime(source.path("A\\B\\X\\Y.TXT")));
    ASSERT_TRUE(writeBytes(two, "old"));
    setWriteTime(two, shifted(writeTime(source.path("A\\B\\sub\\two.dat")), -3600));
    SetFileAttributesA(two.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(sorted({line("(equal) ", "one.txt", one), line("(copied)", "sub\\two.dat", two),
                      line("(copied)", "X\\Y.TXT", y)}),
              paste(target.root(), target.root(), "*"));
    EXPECT_EQ("newer", readBytes(one));
    EXPECT_EQ("why", readBytes(y));
    EXPECT_EQ("two", readBytes(two));

    // The prompt's patterns choose by name; a selected file stands for its folder.
    ASSERT_TRUE(writeBytes(target.path("sel.txt"), "x"));
    EXPECT_EQ(sorted({line("(equal) ", "sub\\two.dat", two)}), paste(target.root(), target.path("sel.txt"), "*.DAT"));
    SetFileAttributesA(two.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(HelperPaste, MissingCopyListIsReported) {
    DeleteFileA(copyListFile().c_str());
    TempDirectory dir;
    ASSERT_TRUE(writeListFile(dir.file("zqkp.tmp"), {dir.path()}));
    ChildProcess helper(helperCommand("8 zqkp.tmp"), dir.path().c_str());
    const HWND prompt = waitForWindow(helper.id(), "#32770", "Paste, provided file changed", 15000);
    ASSERT_NE(nullptr, prompt);
    SendMessageA(GetDlgItem(prompt, 110), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("*"));
    remoteClick(prompt, IDOK);
    std::string text;
    const HWND box = waitForMessageBox(helper.id(), text);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("Error: Open (quorvinx_copy_files.tmp)", text);
    remoteClick(box, IDOK);
    const HWND result =
        waitForWindow(helper.id(), "#32770", "searchresult - (Paste, provided file changed '*')", 15000);
    ASSERT_TRUE(result != nullptr && waitForResultFinished(result));
    EXPECT_TRUE(remoteListBoxItems(GetDlgItem(result, 1025)).empty());
    remoteClick(result, IDOK);
    EXPECT_TRUE(helper.wait(15000));
}
