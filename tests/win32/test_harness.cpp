// The test harness itself: the robot in a modal dialog and a message box,
// the host fixture with the real extension, driving another process, and
// screenshots.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/win32/support/host_fixture.h"
#include "tests/win32/support/remote_window.h"
#include "tests/win32/support/robot.h"
#include "tests/win32/support/screenshot.h"

namespace {

struct DialogResult {
    std::string edit;
    bool checked = false;
};

INT_PTR CALLBACK probeDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        if (LOWORD(wParam) == IDOK) {
            auto* result = reinterpret_cast<DialogResult*>(GetWindowLongPtrA(dialog, DWLP_USER));
            result->edit = Robot::itemText(dialog, 101);
            result->checked = IsDlgButtonChecked(dialog, 102) == BST_CHECKED;
        }
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

INT_PTR runProbeDialog(DialogResult& result) {
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(200), nullptr, probeDialog,
                           reinterpret_cast<LPARAM>(&result));
}

} // namespace

TEST(Robot, FillsADialogFromItsTemplateAndPressesOk) {
    DialogResult result;
    Robot robot;
    robot.onDialog("Robot-Pr\xfc"
                   "fung",
                   [](HWND dialog) {
                       Robot::setItemText(dialog, 101,
                                          "gr\xf6\xdf"
                                          "e");
                       Robot::setChecked(dialog, 102, true);
                       Robot::click(dialog, IDOK);
                       return true;
                   });
    EXPECT_EQ(IDOK, runProbeDialog(result));
    EXPECT_TRUE(robot.failures().empty());
    EXPECT_EQ("gr\xf6\xdf"
              "e",
              result.edit);
    EXPECT_TRUE(result.checked);
}

TEST(Robot, CancelLeavesTheCallerUntouched) {
    DialogResult result;
    Robot robot;
    robot.onDialog(nullptr, [](HWND dialog) {
        Robot::setItemText(dialog, 101, "ignored");
        Robot::click(dialog, IDCANCEL);
        return true;
    });
    EXPECT_EQ(IDCANCEL, runProbeDialog(result));
    EXPECT_EQ("", result.edit);
}

TEST(Robot, ReadsAMessageBoxAndPressesTheChosenButton) {
    std::string text, caption;
    Robot robot;
    robot.onMessageBox([&](HWND box, const std::string& t, const std::string& c) {
        text = t;
        caption = c;
        Robot::click(box, IDNO);
    });
    const int answer = MessageBoxA(nullptr, "wirklich l\xf6schen ?", "korbinen.dll", MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(IDNO, answer);
    EXPECT_EQ("wirklich l\xf6schen ?", text);
    EXPECT_EQ("korbinen.dll", caption);
}

TEST(Robot, AWindowThatNeverComesIsReportedAndClosed) {
    DialogResult result;
    Robot robot(300);
    robot.onDialog("a caption nobody uses", [](HWND) { return true; });
    EXPECT_EQ(IDCANCEL, runProbeDialog(result)); // the robot closed it after the time-out
    ASSERT_EQ(1u, robot.failures().size());
}

TEST(HostFixture, AnswersTheQueriesFromItsScript) {
    HostFixture host;
    host.state.focus = FMFOCUS_TREE;
    host.state.currentDirectory = "C:\\Daten\\gr\xf6\xdf"
                                  "e";
    host.state.selection = {{"C:\\a.txt", FILE_ATTRIBUTE_ARCHIVE, 12}, {"C:\\dir", FILE_ATTRIBUTE_DIRECTORY, 0}};

    EXPECT_EQ(FMFOCUS_TREE, SendMessageA(host.window(), FM_GETFOCUS, 0, 0));
    EXPECT_EQ(2, SendMessageA(host.window(), FM_GETSELCOUNTLFN, 0, 0));
    FMS_GETFILESEL sel{};
    EXPECT_EQ(1, SendMessageA(host.window(), FM_GETFILESELLFN, 1, reinterpret_cast<LPARAM>(&sel)));
    EXPECT_STREQ("C:\\dir", sel.szName);
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, sel.bAttr);
    FMS_GETDRIVEINFO info{};
    EXPECT_EQ(1, SendMessageA(host.window(), FM_GETDRIVEINFO, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_STREQ(host.state.currentDirectory.c_str(), info.szPath);
    SendMessageA(host.window(), FM_REFRESH_WINDOWS, 1, 0);

    const std::vector<UINT> expected = {FM_GETFOCUS, FM_GETSELCOUNTLFN, FM_GETFILESELLFN, FM_GETDRIVEINFO,
                                        FM_REFRESH_WINDOWS};
    ASSERT_EQ(expected.size(), host.received().size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(expected[i], host.received()[i].message) << "message " << i;
    EXPECT_EQ(1u, host.received().back().wParam);
}

TEST(HostFixture, LoadsTheRealExtensionAndCallsItsExport) {
    HostFixture host;
    ASSERT_TRUE(host.loadLibrary());
    FMS_HELPSTRING help{};
    help.idCommand = 0;
    lstrcpyA(help.szHelp, "unber\xfchrt");
    EXPECT_EQ(1, host.call(FMEVENT_HELPSTRING, reinterpret_cast<LPARAM>(&help)));
    EXPECT_STREQ("unber\xfchrt", help.szHelp);
    EXPECT_EQ(0, host.call(FMEVENT_SELCHANGE));
    EXPECT_EQ(0, host.call(FMEVENT_USER_REFRESH));
}

TEST(RemoteWindow, ReadsAnotherProcessAndPressesItsButton) {
    ChildProcess peer(besideTestProgram("peer_window.exe"));
    ASSERT_TRUE(peer.started());
    HWND window = waitForWindow(peer.id(), "KorbPeerWindow", nullptr, 10000);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ("Peer \xfc", remoteText(window));

    const std::vector<std::string> expected = {"eins",
                                               "gr\xf6\xdf"
                                               "e.txt",
                                               "Tab\tzwei"};
    EXPECT_EQ(expected, remoteListBoxItems(GetDlgItem(window, 100)));
    EXPECT_EQ(std::vector<int>{1}, remoteListBoxSelection(GetDlgItem(window, 100)));

    remoteClick(window, 1);
    ASSERT_TRUE(peer.wait(10000));
    EXPECT_EQ(7u, peer.exitCode());
}

namespace {

// Reads back one pixel of a PNG written with stored deflate blocks.
bool pixelOf(const std::string& path, int x, int y, unsigned char rgb[3], int& width, int& height) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr)
        return false;
    std::vector<unsigned char> png;
    int c;
    while ((c = std::fgetc(f)) != EOF)
        png.push_back(static_cast<unsigned char>(c));
    std::fclose(f);
    auto be32 = [&](std::size_t at) {
        return (std::size_t{png[at]} << 24) | (std::size_t{png[at + 1]} << 16) | (std::size_t{png[at + 2]} << 8) |
               png[at + 3];
    };
    if (png.size() < 33 || png[1] != 'P' || png[2] != 'N' || png[3] != 'G')
        return false;
    width = static_cast<int>(be32(16));
    height = static_cast<int>(be32(20));
    std::vector<unsigned char> raw;
    std::size_t at = 8;
    while (at + 8 <= png.size()) {
        const std::size_t length = be32(at);
        if (std::string(png.begin() + static_cast<long>(at) + 4, png.begin() + static_cast<long>(at) + 8) == "IDAT") {
            std::size_t p = at + 8 + 2; // skip the zlib header
            for (;;) {
                const bool last = png[p] & 1;
                const std::size_t n = png[p + 1] | (png[p + 2] << 8);
                raw.insert(raw.end(), png.begin() + static_cast<long>(p) + 5,
                           png.begin() + static_cast<long>(p + 5 + n));
                p += 5 + n;
                if (last)
                    break;
            }
        }
        at += 12 + length;
    }
    const std::size_t offset = static_cast<std::size_t>(y) * (1 + width * 3) + 1 + static_cast<std::size_t>(x) * 3;
    if (offset + 3 > raw.size())
        return false;
    for (int i = 0; i < 3; ++i)
        rgb[i] = raw[offset + i];
    return true;
}

LRESULT CALLBACK redWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        RECT r;
        GetClientRect(window, &r);
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(reinterpret_cast<HDC>(wParam), &r, red);
        DeleteObject(red);
        return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

TEST(Screenshot, SavesTheScreenAsAPngThatShowsAWindow) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = redWindow;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "KorbRedWindow";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, "KorbRedWindow", "", WS_POPUP | WS_VISIBLE, 200, 150, 120, 80, nullptr,
                                  nullptr, wc.hInstance, nullptr);
    UpdateWindow(window);
    pumpMessages(300);

    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    const std::string path = std::string(folder) + "korb_screen.png";
    ASSERT_TRUE(saveScreenshot(path));
    DestroyWindow(window);

    unsigned char rgb[3] = {0, 0, 0};
    int width = 0, height = 0;
    ASSERT_TRUE(pixelOf(path, 260, 190, rgb, width, height));
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), width);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), height);
    EXPECT_EQ(255, rgb[0]);
    EXPECT_EQ(0, rgb[1]);
    EXPECT_EQ(0, rgb[2]);
    DeleteFileA(path.c_str());
}
