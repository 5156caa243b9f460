// The extension's keys typed in a File Manager pane: translated by the real
// korbinen.dll's message hook, posted to the host as its menu commands, and
// swallowed; untouched while the host is disabled or after unload.
#include <gtest/gtest.h>

#include <windows.h>
#include "common/win/fm_extension.h"

#include <initializer_list>
#include <string>
#include <vector>

#include "tests/win32/support/extension_ini.h"
#include "tests/win32/support/host_fixture.h"
#include "tests/win32/support/robot.h"

namespace {

// Window subclassing that records messages of one kind and optionally keeps
// them from the original procedure.
class Recorder {
public:
    Recorder(HWND window, std::initializer_list<UINT> messages, bool swallow)
        : window_(window), messages_(messages), swallow_(swallow) {
        SetPropA(window_, kProp, this);
        original_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Recorder::proc)));
    }
    ~Recorder() {
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
        RemovePropA(window_, kProp);
    }
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    std::vector<MSG> seen;

private:
    static constexpr const char* kProp = "KorbTestRecorder";

    static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = static_cast<Recorder*>(GetPropA(window, kProp));
        for (UINT m : self->messages_) {
            if (m == message) {
                self->seen.push_back(MSG{window, message, wParam, lParam, 0, {}});
                if (self->swallow_)
                    return 0;
            }
        }
        return CallWindowProcA(self->original_, window, message, wParam, lParam);
    }

    HWND window_;
    std::vector<UINT> messages_;
    bool swallow_;
    WNDPROC original_ = nullptr;
};

// Types a key into `target` through the thread's queue with the modifiers
// held in the thread's keyboard state, as if the user pressed them.
void typeKey(HWND target, std::initializer_list<BYTE> modifiers, UINT key) {
    BYTE keys[256];
    GetKeyboardState(keys);
    bool alt = false;
    for (BYTE m : modifiers) {
        keys[m] |= 0x80;
        alt = alt || m == VK_MENU;
    }
    SetKeyboardState(keys);
    // With Alt held the platform delivers system keys.
    const UINT down = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    const UINT up = alt ? WM_SYSKEYUP : WM_KEYUP;
    const LPARAM context = alt ? (1 << 29) : 0;
    PostMessageA(target, down, key, 1 | context);
    pumpMessages(60);
    PostMessageA(target, up, key, static_cast<LPARAM>(0xC0000001u) | context);
    pumpMessages(60);
    for (BYTE m : modifiers)
        keys[m] &= 0x7f;
    SetKeyboardState(keys);
    pumpMessages(20);
}

int countKeyDowns(const Recorder& r, UINT key) {
    int n = 0;
    for (const MSG& m : r.seen)
        n += (m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN) && m.wParam == key;
    return n;
}

std::vector<WPARAM> commandsPosted(const Recorder& r) {
    std::vector<WPARAM> ids;
    for (const MSG& m : r.seen) {
        if (m.message == WM_COMMAND && m.lParam == 0)
            ids.push_back(m.wParam);
    }
    return ids;
}

class Accelerators : public ::testing::Test {
protected:
    ExtensionIniScope ini;
    HostFixture host;

    void load(const std::vector<std::string>& settings = {}) {
        if (!settings.empty())
            writeExtensionIni(settings);
        ASSERT_TRUE(host.loadLibrary());
        ASSERT_TRUE(host.sendLoad());
        pumpMessages(20);
    }
};

} // namespace

TEST_F(Accelerators, CtrlShiftSReachesTheHostAsCommand16EvenWithoutItsItem) {
    load({"Sprache=9", "SucheDateien=-", "Programm1=Notepad"});
    // Commands in the extension's range stop at the host window here, so the
    // file tool itself does not start.
    Recorder hostSide(host.window(), {WM_COMMAND}, true);
    Recorder pane(host.childWindow(), {WM_KEYDOWN, WM_KEYUP}, false);
    typeKey(host.childWindow(), {VK_CONTROL, VK_SHIFT}, 'S');
    EXPECT_EQ(commandsPosted(hostSide), (std::vector<WPARAM>{HostFixture::kMenuDelta + 16}));
    EXPECT_EQ(countKeyDowns(pane, 'S'), 0) << "the key is swallowed";
}

TEST_F(Accelerators, EachKeyGivesItsCommand) {
    load();
    Recorder hostSide(host.window(), {WM_COMMAND}, true);
    const struct {
        std::initializer_list<BYTE> modifiers;
        UINT key;
        int command;
    } cases[] = {
        {{VK_CONTROL}, VK_F1, 1},          {{VK_CONTROL}, VK_F8, 8},          {{VK_CONTROL}, VK_F9, 9},
        {{VK_CONTROL, VK_SHIFT}, 'R', 11}, {{VK_SHIFT}, VK_F5, 13},           {{VK_CONTROL, VK_SHIFT}, 'O', 14},
        {{VK_CONTROL, VK_SHIFT}, 'I', 10}, {{VK_SHIFT}, VK_F1, 15},           {{VK_CONTROL, VK_SHIFT}, 'G', 17},
        {{VK_CONTROL}, VK_F11, 18},        {{VK_CONTROL, VK_SHIFT}, 'E', 19}, {{VK_CONTROL, VK_SHIFT}, 'D', 20},
        {{VK_CONTROL, VK_SHIFT}, 'F', 21},
    };
    for (const auto& c : cases) {
        hostSide.seen.clear();
        typeKey(host.childWindow(), c.modifiers, c.key);
        EXPECT_EQ(commandsPosted(hostSide), (std::vector<WPARAM>{HostFixture::kMenuDelta + WPARAM(c.command)}))
            << "command " << c.command;
    }
    // Keys that are not the extension's pass on untouched.
    hostSide.seen.clear();
    Recorder pane(host.childWindow(), {WM_KEYDOWN}, false);
    typeKey(host.childWindow(), {}, VK_F5);
    typeKey(host.childWindow(), {VK_CONTROL}, 'S');
    EXPECT_TRUE(commandsPosted(hostSide).empty());
    EXPECT_EQ(countKeyDowns(pane, VK_F5), 1);
    EXPECT_EQ(countKeyDowns(pane, 'S'), 1);
}

TEST_F(Accelerators, ACommandReachesFMExtensionProcThroughTheHost) {
    load();
    typeKey(host.childWindow(), {VK_SHIFT}, VK_F5);
    EXPECT_EQ(host.commands(), (std::vector<int>{13}));
}

TEST_F(Accelerators, CtrlAltSpaceIsSwallowedWithoutACommand) {
    load();
    Recorder hostSide(host.window(), {WM_COMMAND}, true);
    Recorder pane(host.childWindow(), {WM_SYSKEYDOWN}, false);
    typeKey(host.childWindow(), {VK_CONTROL, VK_MENU}, VK_SPACE);
    EXPECT_TRUE(commandsPosted(hostSide).empty());
    EXPECT_EQ(countKeyDowns(pane, VK_SPACE), 0);
}

TEST_F(Accelerators, NothingWhileTheHostIsDisabled) {
    load();
    Recorder hostSide(host.window(), {WM_COMMAND}, true);
    Recorder pane(host.childWindow(), {WM_KEYDOWN}, false);
    EnableWindow(host.window(), FALSE);
    typeKey(host.childWindow(), {VK_CONTROL, VK_SHIFT}, 'S');
    typeKey(host.childWindow(), {VK_CONTROL}, VK_F11);
    EnableWindow(host.window(), TRUE);
    EXPECT_TRUE(commandsPosted(hostSide).empty());
    EXPECT_EQ(countKeyDowns(pane, 'S'), 1) << "the pane gets its key";
    EXPECT_EQ(countKeyDowns(pane, VK_F11), 1);

    typeKey(host.childWindow(), {VK_CONTROL}, VK_F11);
    EXPECT_EQ(commandsPosted(hostSide), (std::vector<WPARAM>{HostFixture::kMenuDelta + 18})) << "enabled again";
}

TEST_F(Accelerators, OnlyKeysForTheHostsPanesAndNoneAfterUnload) {
    load();
    Recorder hostSide(host.window(), {WM_COMMAND}, true);
    HWND other = CreateWindowA("EDIT", "", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 100, 40, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    typeKey(other, {VK_CONTROL, VK_SHIFT}, 'S');
    DestroyWindow(other);
    EXPECT_TRUE(commandsPosted(hostSide).empty()) << "a window outside the File Manager";

    host.sendUnload();
    Recorder pane(host.childWindow(), {WM_KEYDOWN}, false);
    typeKey(host.childWindow(), {VK_CONTROL, VK_SHIFT}, 'S');
    EXPECT_TRUE(commandsPosted(hostSide).empty()) << "after unload";
    EXPECT_EQ(countKeyDowns(pane, 'S'), 1);
}

TEST_F(Accelerators, ASecondLoadLeavesOneHook) {
    load();
    FMS_LOAD again{};
    again.wMenuDelta = HostFixture::kMenuDelta;
    ASSERT_EQ(host.call(FMEVENT_LOAD, reinterpret_cast<LPARAM>(&again)), 1);
    Recorder hostSide(host.window(), {WM_COMMAND}, true);
    typeKey(host.childWindow(), {VK_CONTROL}, VK_F9);
    EXPECT_EQ(commandsPosted(hostSide), (std::vector<WPARAM>{HostFixture::kMenuDelta + 9}));
    DestroyMenu(again.hMenu);
}

TEST_F(Accelerators, WithoutAThreadToHookTheUserIsToldAndLoadingGoesOn) {
    ASSERT_TRUE(host.loadLibrary());
    const auto proc =
        reinterpret_cast<FmExtensionProc>(reinterpret_cast<void*>(GetProcAddress(host.library(), "FMExtensionProc")));
    std::string text, caption;
    Robot robot;
    robot.onMessageBox([&](HWND box, const std::string& t, const std::string& c) {
        text = t;
        caption = c;
        Robot::click(box, IDOK);
    });
    FMS_LOAD request{};
    request.wMenuDelta = HostFixture::kMenuDelta;
    // No window: no thread whose messages could be hooked.
    EXPECT_EQ(proc(nullptr, FMEVENT_LOAD, reinterpret_cast<LPARAM>(&request)), 1u);
    EXPECT_TRUE(robot.failures().empty());
    EXPECT_EQ(text, "Tastatur-Tabelle kann nicht geladen werden !");
    EXPECT_EQ(caption, "korbinex");
    EXPECT_EQ(request.dwSize, sizeof(FMS_LOAD));
    ASSERT_NE(request.hMenu, nullptr);
    EXPECT_GT(GetMenuItemCount(request.hMenu), 0);
    DestroyMenu(request.hMenu);
}
