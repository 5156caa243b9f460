// Paste if changed onto a destination disk that fills up: a 64 KB tmpfs the
// small_disk fixture mounts (as root). A changed file bigger than the free
// space must leave the old destination byte for byte and show "(Error) "; the
// other files are still copied and every source stays as it was.
// wine-fixtures: small_disk
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/win32/support/helper_run.h"
#include "tests/win32/support/remote_window.h"
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
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((target + "\\S\\*").c_str(), &found);
    Lines names;
    if (find != INVALID_HANDLE_VALUE) {
        do
            names.push_back(found.cFileName);
        while (FindNextFileA(find, &found));
        FindClose(find);
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ((Lines{".", "..", "big.txt", "small.txt"}), names);
    clearDisk(disk);
}

} // namespace
