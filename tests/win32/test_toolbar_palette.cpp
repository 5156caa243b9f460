// The toolbar event and the floating palette of the real korbinen.dll in the
// test host: the button table and the composed image strip, the palette's
// place, owner and size, a real click on a button and a real drag.
// (fmhost's test clicks the palette inside a real host process.)
#include <gtest/gtest.h>

#include <windows.h>
#include "common/win/fm_extension.h"

#include <string>
#include <vector>

#include "resources/settings_dialog_ids.h"
#include "tests/win32/support/extension_ini.h"
#include "tests/win32/support/host_fixture.h"
#include "tests/win32/support/robot.h"

namespace {

std::vector<int> table(const FMS_TOOLBARLOAD& answer) {
    std::vector<int> commands;
    for (int i = 0; i < answer.cButtons; ++i) {
        const EXT_BUTTON& b = answer.lpButtons[i];
        EXPECT_EQ(b.idsHelp, b.idCommand) << "entry " << i;
        EXPECT_EQ(b.fsStyle, b.idCommand == 0 ? 1 : 0) << "entry " << i;
        commands.push_back(b.idCommand);
    }
    return commands;
}

// Pixels of image `index` (16 x 15) of a strip, or of a whole bitmap at 0.
std::vector<COLORREF> pixels(HBITMAP bitmap, int index) {
    std::vector<COLORREF> result;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 16; ++x)
            result.push_back(GetPixel(dc, 16 * index + x, y));
    SelectObject(dc, old);
    DeleteDC(dc);
    return result;
}

HWND findPalette() {
    return FindWindowA("KorbinexPalette", nullptr);
}

RECT windowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

void mouseTo(int x, int y) {
    SetCursorPos(x, y);
    pumpMessages(30);
}

void mouseButton(bool down) {
    mouse_event(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    pumpMessages(60);
}

class ToolbarPalette : public ::testing::Test {
protected:
    ExtensionIniScope ini;
    HostFixture host;

    void load(std::vector<std::string> lines) {
        // Slots 3 and 4 default to programs Wine does not have.
        lines.push_back("Sprache=9");
        writeExtensionIni(lines);
        ASSERT_TRUE(host.loadLibrary());
        ASSERT_TRUE(host.sendLoad());
    }
};

} // namespace

TEST_F(ToolbarPalette, ToolbarEventGivesTheTableAndTheComposedStrip) {
    // Slot 1 has no icon and so no button; slot 3's program is drawn from its own icon.
    load({"Programm1=" + besideTestProgram("launch_recorder.exe"), "Programm2=Notepad",
          "Programm3=C:\\windows\\regedit.exe", "SucheDateiname=-", "DateiInfo=Info"});
    EXPECT_EQ(findPalette(), nullptr) << "Pa 0: no palette";
    for (int round = 0; round < 2; ++round) { // asked again, built again
        FMS_TOOLBARLOAD answer{};
        answer.dwSize = 20;
        answer.idBitmap = 77;
        ASSERT_EQ(host.call(FMEVENT_TOOLBARLOAD, reinterpret_cast<LPARAM>(&answer)), 1);
        EXPECT_EQ(answer.dwSize, 20u);
        EXPECT_EQ(answer.idBitmap, 77);
        EXPECT_EQ(answer.cBitmaps, answer.cButtons);
        const std::vector<int> expected = {0, 2, 3, 0, 16, 17, 11, 0, 19, 20, 0, 10, 0, 18, 15};
        EXPECT_EQ(table(answer), expected) << "round " << round;

        BITMAP info{};
        ASSERT_NE(GetObjectA(answer.hBitmap, sizeof info, &info), 0);
        EXPECT_EQ(info.bmWidth, 496);
        EXPECT_EQ(info.bmHeight, 15);
        // Images left to right in button order: Notepad, the icon, search, ...
        const int images[] = {IDB_BUTTON_NOTEPAD,      0,
                              IDB_BUTTON_SEARCH_FILES, IDB_BUTTON_EQUAL_FILES,
                              IDB_BUTTON_FILE_SIZES,   IDB_BUTTON_ATTRIBUTES,
                              IDB_BUTTON_DATE,         IDB_BUTTON_FILE_INFO,
                              IDB_BUTTON_SETTINGS,     IDB_BUTTON_HELP};
        for (int i = 0; i < 10; ++i) {
            if (images[i] == 0)
                continue;
            HBITMAP image = LoadBitmapA(host.library(), MAKEINTRESOURCEA(images[i]));
            ASSERT_NE(image, nullptr) << images[i];
            EXPECT_EQ(pixels(answer.hBitmap, i), pixels(image, 0)) << "image " << i << " (" << images[i] << ")";
            DeleteObject(image);
        }
        const std::vector<COLORREF> grey(16 * 15, RGB(192, 192, 192));
        EXPECT_NE(pixels(answer.hBitmap, 1), grey) << "the program's icon is drawn";
        EXPECT_EQ(pixels(answer.hBitmap, 10), grey) << "the rest stays blank";
    }
}

TEST_F(ToolbarPalette, PaletteStandsWhereStoredClicksAndMoves) {
    load({"Programm1=Notepad", "Programm2=-", "Pa=1", "Pi=0", "Px=100", "Py=150"});
    HWND bar = findPalette();
    ASSERT_NE(bar, nullptr);
    // Buttons 1, 16, 21, 17, 11, 19, 20, 18, 15 in one column.
    const RECT r = windowRect(bar);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 150);
    EXPECT_EQ(r.right - r.left, 29);
    EXPECT_EQ(r.bottom - r.top, 21 * 9 + 15);
    HWND frame = GetWindow(bar, GW_OWNER);
    ASSERT_NE(frame, nullptr);
    char title[32] = "";
    GetWindowTextA(frame, title, sizeof title);
    EXPECT_STREQ(title, "Palette");
    EXPECT_FALSE(IsWindowVisible(frame));
    EXPECT_TRUE(GetWindowLongA(frame, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetWindow(frame, GW_OWNER), host.window()) << "Pi 0: owned by the File Manager window";
    EXPECT_NE(GetMenu(frame), nullptr);

    // A press on button 8 (settings) leaves the File Manager active; the
    // release opens the settings dialog, which the robot closes.
    SetForegroundWindow(host.window());
    pumpMessages(50);
    mouseTo(r.left + 14, r.top + 11 + 21 * 7 + 10);
    mouseButton(true);
    EXPECT_EQ(GetForegroundWindow(), host.window());
    Robot robot;
    robot.onDialog("Einstellungen", [](HWND d) {
        Robot::click(d, IDCANCEL);
        return true;
    });
    mouseButton(false);
    for (int i = 0; i < 100 && !robot.done(); ++i)
        pumpMessages(20);
    EXPECT_TRUE(robot.done()) << "the click reached the extension as command 18";

    // A drag by the top strip moves it and keeps the place.
    mouseTo(r.left + 10, r.top + 5);
    mouseButton(true);
    mouseTo(r.left + 40, r.top + 25);
    mouseTo(r.left + 60, r.top + 45);
    mouseButton(false);
    const RECT moved = windowRect(bar);
    EXPECT_EQ(moved.left, 150);
    EXPECT_EQ(moved.top, 190);
    EXPECT_EQ(moved.right - moved.left, 29) << "moved, not resized";
    const auto values = extensionIniValues();
    EXPECT_EQ(values.at("Px"), "150");
    EXPECT_EQ(values.at("Py"), "190");

    host.sendUnload();
    EXPECT_EQ(findPalette(), nullptr) << "unload destroys the palette";
}

TEST_F(ToolbarPalette, OneRowWithoutOwnerAtItsDefaultPlace) {
    load({"Programm1=Notepad", "Programm2=-", "Pa=-1", "Pi=1"});
    HWND bar = findPalette();
    ASSERT_NE(bar, nullptr);
    const RECT r = windowRect(bar);
    const int n = 9;
    EXPECT_EQ(r.left, GetSystemMetrics(SM_CXSCREEN) - 22 * n - 22);
    EXPECT_EQ(r.top, GetSystemMetrics(SM_CYSCREEN) / 3);
    EXPECT_EQ(r.right - r.left, 22 * n + 7);
    EXPECT_EQ(r.bottom - r.top, 36);
    EXPECT_EQ(GetWindow(GetWindow(bar, GW_OWNER), GW_OWNER), nullptr) << "Pi 1: no owner";
}
