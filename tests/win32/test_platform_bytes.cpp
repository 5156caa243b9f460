// wine-locales: de_DE
// What reaches the platform is Windows-1252: INI keys and values with
// umlauts go through the A functions and land as single bytes on disk.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "tests/win32/support/test_files.h"

TEST(PlatformBytes, IniKeyWithUmlautIsOneByteOnDiskAndReadsBack) {
    const char* file = "korbtest_bytes.ini"; // a bare name lands in the Windows directory
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    const std::string path = std::string(windows) + "\\" + file;
    DeleteFileA(path.c_str());

    ASSERT_TRUE(WritePrivateProfileStringA("Einstellungen", "Men\xfcName", "&Extra f\xfcr alle", file));
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file); // flush the cache

    char value[520] = "";
    GetPrivateProfileStringA("Einstellungen", "Men\xfcName", "", value, sizeof value, file);
    EXPECT_STREQ("&Extra f\xfcr alle", value);

    const std::string bytes = readBytes(path);
    EXPECT_NE(std::string::npos, bytes.find("\x4d\x65\x6e\xfc\x4e\x61\x6d\x65=")) << bytes;
    EXPECT_NE(std::string::npos, bytes.find("f\xfcr alle"));
    EXPECT_EQ(std::string::npos, bytes.find("\xc3\xbc")) << "UTF-8 reached the file";
    DeleteFileA(path.c_str());
}

TEST(PlatformBytes, FileNamesWithUmlautsRoundTrip) {
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    const std::string path = std::string(folder) + "gr\xf6\xdf"
                                                   "e.txt";
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    CloseHandle(h);
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((std::string(folder) + "gr*e.txt").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, search);
    FindClose(search);
    EXPECT_STREQ("gr\xf6\xdf"
                 "e.txt",
                 found.cFileName);
    DeleteFileA(path.c_str());
}
