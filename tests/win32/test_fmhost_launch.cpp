// Programs started as a user starts them in fmhost with the real korbinen.dll:
// a file selected in the file list, then the toolbar button clicked with the
// mouse, the menu command, Ctrl+F1 typed, and the palette's button clicked.
// The slot's program is the tests' recording program under the name vi.exe,
// so that its button shows the VI picture.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "tests/win32/support/extension_ini.h"
#include "tests/win32/support/host_fixture.h"
#include "tests/win32/support/remote_window.h"
#include "tests/win32/support/screenshot.h"
#include "tests/win32/support/search_tree.h"
#include "tests/win32/support/test_files.h"

namespace {

constexpr int kFilesPaneId = 12;
constexpr int kProgramOne = 701; // korbinen is the first extension: delta 700

void click(int x, int y) {
    SetCursorPos(x, y);
    Sleep(50);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    Sleep(50);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

void typeCtrlF1() {
    INPUT keys[4]{};
    const WORD codes[] = {VK_CONTROL, VK_F1, VK_F1, VK_CONTROL};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = codes[i];
        keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(4, keys, sizeof(INPUT));
}

std::vector<std::string> lines(const std::string& bytes) {
    std::vector<std::string> result;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        result.push_back(line);
    }
    return result;
}

class FmHostLaunch : public ::testing::Test {
protected:
    void SetUp() override {
        tree_.file("docs\\one.txt", "eins");
        tree_.file("docs\\two.txt", "zwei");
        tree_.folder("tools");
        ASSERT_TRUE(CopyFileA(besideTestProgram("launch_recorder.exe").c_str(), program_.c_str(), FALSE));
        writeBytes(tree_.path("fmhost.ini"), "[AddOns]\r\nkorbinen=" + besideTestProgram("korbinen.dll") + "\r\n");
        writeExtensionIni({"Sprache=9", "Programm1=" + program_, "Programm2=-", "Programm3=-", "Programm4=-",
                           "Programm5=-", "Programm6=-", "Programm7=-", "Programm8=-", "Pa=1", "Px=760", "Py=120"});
        SetEnvironmentVariableA("KORB_LAUNCH_RECORD", record_.c_str());
    }

    void TearDown() override {
        if (host_ && !host_->wait(0)) {
            PostMessageA(frame_, WM_CLOSE, 0, 0);
            host_->wait(10000);
        }
        host_.reset();
        SetEnvironmentVariableA("KORB_LAUNCH_RECORD", nullptr);
    }

    // fmhost on the docs folder with one.txt selected and in the foreground.
    void start() {
        const std::string line = "\"" + besideTestProgram("fmhost.exe") + "\" \"/ini:" + tree_.path("fmhost.ini") +
                                 "\" \"/report:" + tree_.path("report.txt") + "\" \"" + tree_.path("docs") + "\"";
        host_ = std::make_unique<ChildProcess>(line, tree_.root().c_str());
        ASSERT_TRUE(host_->started());
        frame_ = waitForWindow(host_->id(), "FmHostFrame", nullptr, 15000);
        ASSERT_NE(nullptr, frame_);
        HWND files = GetDlgItem(frame_, kFilesPaneId);
        const std::vector<std::string> shown = remoteListBoxItems(files);
        int one = -1;
        for (std::size_t i = 0; i < shown.size(); ++i)
            if (shown[i].rfind("one.txt", 0) == 0)
                one = static_cast<int>(i);
        ASSERT_GE(one, 0) << "fmhost does not list one.txt";
        SendMessageA(files, LB_SETSEL, FALSE, -1);
        SendMessageA(files, LB_SETSEL, TRUE, one);
        SetForegroundWindow(frame_);
        for (int i = 0; i < 100 && GetForegroundWindow() != frame_; ++i)
            Sleep(20);
        ASSERT_EQ(frame_, GetForegroundWindow());
    }

    std::vector<std::string> report() {
        DeleteFileA(tree_.path("report.txt").c_str());
        DWORD_PTR written = 0;
        SendMessageTimeoutA(frame_, RegisterWindowMessageA("fmhost.report"), 0, 0, SMTO_ABORTIFHUNG, 5000, &written);
        EXPECT_EQ(written, 1u) << "fmhost wrote no report";
        return lines(readBytes(tree_.path("report.txt")));
    }

    // Waits until the recording program has written count lines.
    std::vector<std::string> starts(std::size_t count) {
        std::vector<std::string> result;
        for (int i = 0; i < 500 && (result = lines(readBytes(record_))).size() < count; ++i)
            Sleep(20);
        return result;
    }

    ExtensionIniScope ini_;
    SearchTree tree_;
    std::string program_ = tree_.path("tools\\vi.exe");
    std::string record_ = tree_.path("starts.txt");
    std::unique_ptr<ChildProcess> host_;
    HWND frame_ = nullptr;
};

} // namespace

TEST_F(FmHostLaunch, ToolbarMenuKeysAndPaletteStartTheProgramOnTheSelectedFile) {
    start();
    const std::vector<std::string> shown = report();
    std::vector<std::string> buttons;
    int left = 0, top = 0, right = 0, bottom = 0, image = -1;
    for (const std::string& line : shown) {
        if (line.rfind("button ", 0) == 0)
            buttons.push_back(line.substr(7));
        int id = 0, l = 0, t = 0, r = 0, b = 0, i = 0;
        if (std::sscanf(line.c_str(), "buttonplace %d image %d at %d %d %d %d", &id, &i, &l, &t, &r, &b) == 6) {
            EXPECT_GE(i, 0) << "button " << id << " shows no image";
            if (id == kProgramOne)
                left = l, top = t, right = r, bottom = b, image = i;
        }
    }
    // Program 1, the search group, the properties group, an empty info
    // group, settings and help.
    const std::vector<std::string> expected = {"separator", "701", "separator", "716",       "721",       "717", "711",
                                               "separator", "719", "720",       "separator", "separator", "718", "715"};
    EXPECT_EQ(buttons, expected);
    ASSERT_GE(image, 0) << "no place for the program's button";
    saveScreenshotOnRequest("fmhost_toolbar_palette");
    const std::string expectedStart = tree_.path("docs") + "|" + program_ + " " + tree_.path("docs\\one.txt");

    click((left + right) / 2, (top + bottom) / 2);
    EXPECT_EQ(starts(1), std::vector<std::string>(1, expectedStart)) << "toolbar button";

    PostMessageA(frame_, WM_COMMAND, kProgramOne, 0);
    EXPECT_EQ(starts(2), std::vector<std::string>(2, expectedStart)) << "menu command";

    typeCtrlF1();
    EXPECT_EQ(starts(3), std::vector<std::string>(3, expectedStart)) << "Ctrl+F1";

    HWND palette = FindWindowA("KorbinexPalette", nullptr);
    ASSERT_NE(nullptr, palette);
    DWORD owner = 0;
    GetWindowThreadProcessId(palette, &owner);
    EXPECT_EQ(owner, host_->id());
    RECT place{};
    GetWindowRect(palette, &place);
    EXPECT_EQ(place.left, 760);
    EXPECT_EQ(place.top, 120);
    click(place.left + 14, place.top + 21); // its first button: program 1
    EXPECT_EQ(starts(4), std::vector<std::string>(4, expectedStart)) << "palette button";
    EXPECT_EQ(GetForegroundWindow(), frame_) << "the palette takes no activation";
}
