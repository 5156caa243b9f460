// Paste if changed and the result list's copy onto a destination disk that
// fills up: a 64 KB tmpfs the small_disk fixture mounts (as root). A file
// bigger than the free space must leave the old destination byte for byte and
// report the failure; the other files are still copied and every source stays
// as it was.
// wine-fixtures: small_disk
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/win32/support/helper_run.h"
#include "tests/win32/support/remote_window.h"
#include "tests/win32/support/result_menu_robot.h"
#include "tests/win32/support/search_tree.h"
#include "tests/win32/support/test_files.h"

namespace {

using Lines = std::vector<std::string>;

// The mounted small disk, "" when the fixture could not mount it.
std::string smallDisk() {
    const char* dir = getenv("KORB_SMALL_DISK");
    if (dir == nullptr)
        return "";
    std::string path(dir);
    std::replace(path.begin(), path.end(), '/', '\\');
    return GetFileAttributesA((path + "\\small-disk.marker").c_str()) == INVALID_FILE_ATTRIBUTES ? "" : path;
}

// Fills the disk with 4 KB files until one no longer fits, then frees `pages` of them.
void fillLeaving(const std::string& disk, int pages) {
    const std::string block(4096, 'f');
    std::vector<std::string> fillers;
    for (int i = 0; i < 64; ++i) {
        const std::string name = disk + "\\fill" + std::to_string(i) + ".tmp";
        HANDLE h = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        const bool ok = h != INVALID_HANDLE_VALUE && WriteFile(h, block.data(), 4096, &written, nullptr) &&
                        written == 4096 && FlushFileBuffers(h);
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
        if (!ok) {
            DeleteFileA(name.c_str());
            break;
        }
        fillers.push_back(name);
    }
    for (int i = 0; i < pages && !fillers.empty(); ++i) {
        DeleteFileA(fillers.back().c_str());
        fillers.pop_back();
    }
}

void clearDisk(const std::string& disk) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((disk + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == ".." || name == "small-disk.marker")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            removeTree(disk + "\\" + name);
        else
            DeleteFileA((disk + "\\" + name).c_str());
    } while (FindNextFileA(find, &found));
    FindClose(find);
}

// The names in a folder, sorted, "." and ".." left out.
Lines namesIn(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
    Lines names;
    if (find != INVALID_HANDLE_VALUE) {
        do
            if (std::string(found.cFileName) != "." && std::string(found.cFileName) != "..")
                names.push_back(found.cFileName);
        while (FindNextFileA(find, &found));
        FindClose(find);
    }
    std::sort(names.begin(), names.end());
    return names;
}

struct Case {
    const char* name;
    std::string source;      // the changed file
    std::string destination; // the older file on the small disk, "" for none
    bool fits;
};

TEST(FaultDiskFull, PasteIfChangedOntoAFullDisk) {
    const std::string disk = smallDisk();
    if (disk.empty())
        GTEST_SKIP() << "the small_disk fixture could not mount its tmpfs (mounting needs root)";
    clearDisk(disk);
    const std::vector<Case> cases = {
        {"big.txt", std::string(40000, 'n'), std::string(3000, 'o'), false},
        {"new_big.txt", std::string(40000, 'b'), "", false},
        {"small.txt", "new small", "old", true},
    };
    SearchTree source;
    const std::string target = disk + "\\T";
    CreateDirectoryA(target.c_str(), nullptr);
    CreateDirectoryA((target + "\\S").c_str(), nullptr);
    const FILETIME old{0x2a0e0000, 0x01c0e2b0}; // in 2001: older than every source
    for (const Case& c : cases) {
        ASSERT_TRUE(source.file(std::string("S\\") + c.name, c.source));
        if (c.destination.empty())
            continue;
        const std::string path = target + "\\S\\" + c.name;
        ASSERT_TRUE(writeBytes(path, c.destination));
        HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        SetFileTime(h, nullptr, nullptr, &old);
        CloseHandle(h);
    }
    ASSERT_TRUE(writeListFile(target + "\\zqkp.tmp", {target}));
    // Two free pages: room for the small file, not for the 40,000 bytes.
    fillLeaving(disk, 2);

    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    ASSERT_TRUE(writeBytes(std::string(temp) + "quorvinx_copy_files.tmp", source.path("S") + "\r\n"));
    Lines lines = pasteEveryChangedFile(target);

    Lines expected;
    for (const Case& c : cases)
        expected.push_back(std::string(" ") + (c.fits ? "(copied)" : "(Error) ") + " " +
                           source.path(std::string("S\\") + c.name) + "\t--> " + target + "\\S\\" + c.name);
    std::sort(lines.begin(), lines.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, lines);
    for (const Case& c : cases) {
        const std::string destination = target + "\\S\\" + c.name;
        EXPECT_TRUE(c.source == readBytes(source.path(std::string("S\\") + c.name))) << c.name;
        if (c.fits)
            EXPECT_TRUE(c.source == readBytes(destination)) << c.name;
        else if (c.destination.empty())
            EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(destination.c_str())) << c.name;
        else
            EXPECT_TRUE(c.destination == readBytes(destination)) << c.name << " lost its old bytes";
    }
    // No half-written file left beside the destinations.
    EXPECT_EQ((Lines{"big.txt", "small.txt"}), namesIn(target + "\\S"));
    clearDisk(disk);
}

// The result list's copy (a content search's hit lines, copied into a folder
// on the full disk): each file that does not fit asks Abort/Retry/Ignore with
// its source and destination; Retry fails again without harm, Ignore goes on.
TEST(FaultDiskFull, ResultListCopyOntoAFullDisk) {
    const std::string disk = smallDisk();
    if (disk.empty())
        GTEST_SKIP() << "the small_disk fixture could not mount its tmpfs (mounting needs root)";
    clearDisk(disk);
    const std::vector<Case> cases = {
        {"big.txt", "needle\r\n" + std::string(40000, 'n'), std::string(3000, 'o'), false},
        {"new_big.txt", "needle\r\n" + std::string(40000, 'b'), "", false},
        {"small.txt", "needle small\r\n", "old", true},
    };
    ProgramSettings noPrograms({}); // the menu: date, attributes, delete, copy
    SearchTree source;
    const std::string target = disk + "\\C";
    CreateDirectoryA(target.c_str(), nullptr);
    Lines selected;
    for (const Case& c : cases) {
        ASSERT_TRUE(source.file(c.name, c.source));
        selected.push_back(source.path(c.name));
        if (!c.destination.empty()) {
            ASSERT_TRUE(writeBytes(target + "\\" + c.name, c.destination));
        }
    }
    fillLeaving(disk, 2);

    ASSERT_TRUE(writeListFile(source.path("zqkm.tmp"), {source.root()}));
    ChildProcess helper(helperCommand("1 zqkm.tmp"), source.root().c_str());
    const HWND result = needleSearchResult(helper.id(), "*.txt");
    ASSERT_NE(nullptr, result);
    // A menu pick that a slow display loses is tried once more.
    HWND dialog = nullptr;
    for (int attempt = 0; attempt < 2 && dialog == nullptr; ++attempt) {
        ASSERT_TRUE(pickFromMenu(GetDlgItem(result, 1025), selected, 4));
        dialog = waitForWindow(helper.id(), "#32770", "copy file(s)", 8000);
    }
    ASSERT_NE(nullptr, dialog);
    SendMessageA(GetDlgItem(dialog, 1012), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(target.c_str()));
    remoteClick(dialog, IDOK);

    // The first failure is retried once, every failure then ignored.
    Lines asked;
    for (std::string text; (text = answerBox(helper.id(), asked.empty() ? IDRETRY : IDIGNORE, 5000)) != "(none)";)
        asked.push_back(text);
    Lines expected;
    for (const Case& c : cases)
        if (!c.fits)
            expected.push_back("error by copy from\n" + source.path(c.name) + "to\n" + target + "\\" + c.name);
    expected.push_back(asked.empty() ? "" : asked.front()); // asked again after Retry
    std::sort(asked.begin(), asked.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, asked);

    for (const Case& c : cases) {
        const std::string destination = target + "\\" + c.name;
        EXPECT_TRUE(c.source == readBytes(source.path(c.name))) << c.name;
        if (c.fits) {
            EXPECT_TRUE(c.source == readBytes(destination)) << c.name;
        } else if (!c.destination.empty()) {
            EXPECT_TRUE(c.destination == readBytes(destination)) << c.name << " lost its old bytes";
        }
    }
    EXPECT_EQ((Lines{"big.txt", "small.txt"}), namesIn(target)) << "no partial file left";
    remoteClick(result, IDOK);
    EXPECT_TRUE(helper.wait(15000));
    clearDisk(disk);
}

} // namespace
