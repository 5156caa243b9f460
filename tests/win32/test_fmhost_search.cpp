// The content search as a user runs it: fmhost with the real korbinen.dll, a
// folder selected in its file list, Ctrl+Shift+S typed on the keyboard. On
// this Windows the real helper does the search; on Windows 3.50 the
// extension's own dialogs do it inside fmhost.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/win32/support/host_fixture.h"
#include "tests/win32/support/remote_window.h"
#include "tests/win32/support/search_tree.h"
#include "tests/win32/support/test_files.h"

namespace {

using Lines = std::vector<std::string>;

constexpr int kFilesPaneId = 12;

// Presses Ctrl+Shift+S as the keyboard would, into the foreground window.
void typeCtrlShiftS() {
    const WORD keys[] = {VK_CONTROL, VK_SHIFT, 'S'};
    std::vector<INPUT> input;
    for (WORD key : keys) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = key;
        input.push_back(in);
    }
    for (int i = 2; i >= 0; --i) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = keys[i];
        in.ki.dwFlags = KEYEVENTF_KEYUP;
        input.push_back(in);
    }
    SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

// Windows 3.50 for the programs started while it lives: the whole prefix's
// version numbers, put back as they were afterwards.
class Windows350 {
public:
    Windows350() {
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
        for (Value& v : values_) {
            DWORD size = sizeof v.old;
            v.existed = RegQueryValueExA(key_, v.name, nullptr, &v.oldType, v.old, &size) == ERROR_SUCCESS &&
                        size <= sizeof v.old;
            v.oldSize = size;
            if (v.type == REG_DWORD)
                RegSetValueExA(key_, v.name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v.number), sizeof v.number);
            else
                RegSetValueExA(key_, v.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(v.text), lstrlenA(v.text) + 1);
        }
    }
    ~Windows350() {
        for (const Value& v : values_) {
            if (v.existed)
                RegSetValueExA(key_, v.name, 0, v.oldType, v.old, v.oldSize);
            else
                RegDeleteValueA(key_, v.name);
        }
        RegCloseKey(key_);
    }

private:
    static constexpr const char* kKey = "Software\\Microsoft\\Windows NT\\CurrentVersion";
    struct Value {
        const char* name;
        DWORD type;
        DWORD number;
        const char* text;
        BYTE old[64];
        DWORD oldType;
        DWORD oldSize;
        bool existed;
    };
    HKEY key_ = nullptr;
    // Wine takes the version from the text values; the numbers follow them.
    Value values_[4] = {{"CurrentVersion", REG_SZ, 0, "3.50", {}, 0, 0, false},
                        {"CurrentBuildNumber", REG_SZ, 0, "807", {}, 0, 0, false},
                        {"CurrentMajorVersionNumber", REG_DWORD, 3, nullptr, {}, 0, 0, false},
                        {"CurrentMinorVersionNumber", REG_DWORD, 50, nullptr, {}, 0, 0, false}};
};

class FmHostSearch : public ::testing::Test {
protected:
    void SetUp() override {
        tree_.file("docs\\one.txt", "alpha\r\nthe needle here\r\n");
        tree_.file("docs\\sub\\two.txt", "NEEDLE twice\r\nno\r\n");
        tree_.file("docs\\three.txt", "nothing\r\n");
        tree_.file("other.txt", "needle outside the selection\r\n");
        tree_.folder("work");
        writeBytes(tree_.path("fmhost.ini"), "[AddOns]\r\nkorbinen=" + besideTestProgram("korbinen.dll") + "\r\n");
        // A fresh settings file: the search item is on by default.
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, "korbinex.ini");
        char windows[MAX_PATH];
        GetWindowsDirectoryA(windows, sizeof windows);
        DeleteFileA((std::string(windows) + "\\korbinex.ini").c_str());
    }

    void TearDown() override {
        // A helper a failed case left open would outlive the test.
        while (HWND prompt = waitForWindow(0, "#32770", "Find in files", 0)) {
            PostMessageA(prompt, WM_COMMAND, IDCANCEL, 0);
            Sleep(200);
            if (IsWindow(prompt))
                break;
        }
        if (host_ && !host_->wait(0)) {
            PostMessageA(frame_, WM_CLOSE, 0, 0);
            host_->wait(10000);
        }
        host_.reset();
    }

    // fmhost on the tree, working in its own folder, with "docs" selected and
    // the file list focused; then the keys.
    void startAndPressKeys() {
        const std::string line = "\"" + besideTestProgram("fmhost.exe") + "\" \"/ini:" + tree_.path("fmhost.ini") +
                                 "\" \"" + tree_.root() + "\"";
        host_ = std::make_unique<ChildProcess>(line, tree_.path("work").c_str());
        ASSERT_TRUE(host_->started());
        frame_ = waitForWindow(host_->id(), "FmHostFrame", nullptr, 15000);
        ASSERT_NE(nullptr, frame_);
        HWND files = GetDlgItem(frame_, kFilesPaneId);
        const Lines shown = remoteListBoxItems(files);
        int docs = -1;
        for (std::size_t i = 0; i < shown.size(); ++i)
            if (shown[i].rfind("docs", 0) == 0)
                docs = static_cast<int>(i);
        ASSERT_GE(docs, 0) << "fmhost does not list the folder";
        SetForegroundWindow(frame_);
        SendMessageA(files, LB_SETSEL, FALSE, -1);
        SendMessageA(files, LB_SETSEL, TRUE, docs);
        for (int i = 0; i < 100 && GetForegroundWindow() != frame_; ++i)
            Sleep(20);
        ASSERT_EQ(frame_, GetForegroundWindow());
        typeCtrlShiftS();
    }

    Lines expectedHits() const {
        const std::string one = tree_.path("docs\\one.txt") + "\t", two = tree_.path("docs\\sub\\two.txt") + "\t";
        return {one + "the needle here", " ", two + "NEEDLE twice", " "};
    }

    Lines listFilesLeft() const { return filesMatching(tree_.path("work"), "zqk*.tmp"); }

    SearchTree tree_;
    std::unique_ptr<ChildProcess> host_;
    HWND frame_ = nullptr;
};

} // namespace

TEST_F(FmHostSearch, KeysStartTheHelperWhichSearchesTheSelectedFolder) {
    WritePrivateProfileStringA("Suchbegriffe", "f1A", nullptr, "Quorvin.ini");
    startAndPressKeys();
    // The prompt belongs to another process: the helper that fmhost's extension started.
    HWND prompt = waitForWindow(0, "#32770", "Find in files", 15000);
    ASSERT_NE(nullptr, prompt) << "no helper prompt after Ctrl+Shift+S";
    DWORD helperId = 0;
    GetWindowThreadProcessId(prompt, &helperId);
    EXPECT_NE(host_->id(), helperId);
    EXPECT_EQ(1u, listFilesLeft().size()) << "the list file waits for the helper";
    SendMessageA(GetDlgItem(prompt, 110), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("needle"));
    remoteClick(prompt, IDOK);

    HWND result = waitForWindow(helperId, "#32770", "searchresult - (Find in files 'NEEDLE')", 30000);
    ASSERT_NE(nullptr, result);
    for (int i = 0; i < 1500 && !IsWindowVisible(GetDlgItem(result, IDOK)); ++i)
        Sleep(20);
    ASSERT_TRUE(IsWindowVisible(GetDlgItem(result, IDOK))) << "the search did not finish";
    HWND box = GetDlgItem(result, 1025);
    const Lines lines = remoteListBoxItems(box);
    EXPECT_EQ(expectedHits(), lines);
    SendMessageA(box, LB_SETSEL, TRUE, 0);
    SendMessageA(box, LB_SETSEL, TRUE, 2);
    remoteClick(result, IDOK);
    for (int i = 0; i < 500 && IsWindow(result); ++i)
        Sleep(20);
    ASSERT_FALSE(IsWindow(result)) << "the helper did not end";
    Sleep(300); // the helper deletes its list file as it ends

    // fmhost keeps a Wine process alive, so the helper's clipboard text stays.
    EXPECT_EQ(lines[0] + "\r\n" + lines[2] + "\r\n", clipboardText());
    char remembered[100] = "";
    GetPrivateProfileStringA("Suchbegriffe", "f1A", "", remembered, sizeof remembered, "Quorvin.ini");
    EXPECT_STREQ("needle", remembered);
    EXPECT_TRUE(listFilesLeft().empty()) << "the helper removes its list file";
}

TEST_F(FmHostSearch, OnWindows350TheExtensionSearchesInsideTheFileManager) {
    Windows350 version;
    startAndPressKeys();
    // The extension's own prompt, in fmhost's process.
    HWND prompt = waitForWindow(host_->id(), "#32770", "Find in files", 15000);
    ASSERT_NE(nullptr, prompt) << "no prompt inside fmhost after Ctrl+Shift+S"
                               << (listFilesLeft().empty() ? "" : " (the helper was asked instead)");
    EXPECT_TRUE(listFilesLeft().empty()) << "no list file on Windows 3.50";
    SendMessageA(GetDlgItem(prompt, 113), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("needle"));
    remoteClick(prompt, IDOK);

    HWND result = waitForWindow(host_->id(), "#32770", "searchresult", 30000);
    ASSERT_NE(nullptr, result);
    for (int i = 0; i < 1500 && !IsWindowVisible(GetDlgItem(result, IDOK)); ++i)
        Sleep(20);
    ASSERT_TRUE(IsWindowVisible(GetDlgItem(result, IDOK))) << "the search did not finish";
    HWND box = GetDlgItem(result, 182);
    Lines lines = remoteListBoxItems(box);
    // The extension walks each folder in one pass, in enumeration order.
    Lines expected = expectedHits();
    if (lines.size() == 4 && lines[0] != expected[0])
        std::swap(expected[0], expected[2]);
    EXPECT_EQ(expected, lines);
    SendMessageA(box, LB_SETSEL, TRUE, 0);
    remoteClick(result, IDOK);
    for (int i = 0; i < 500 && IsWindow(result); ++i)
        Sleep(20);
    EXPECT_EQ(lines.empty() ? std::string() : lines[0] + "\r\n", clipboardText());
    EXPECT_TRUE(listFilesLeft().empty()) << "no helper was asked";
}
