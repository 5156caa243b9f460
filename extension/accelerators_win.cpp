// Accelerator forwarding. Translating against the File Manager window would
// hand the host the raw numbers 1 to 21 as commands of its own (a call hook
// cannot stop that WM_COMMAND), so the keys are translated against a hidden
// window of the extension's; it posts delta + command to the File Manager,
// and the key is swallowed.
#include "extension/accelerators_win.h"

#include "extension/extension_state_win.h"
#include "resources/extension_menu_ids.h"

namespace ext {

namespace {

constexpr const char* kTargetClass = "KorbinenAcceleratorTarget";
constexpr int kFirstCommand = 1;
constexpr int kLastCommand = 21;

struct Accelerators {
    HINSTANCE module = nullptr;
    HHOOK messageHook = nullptr;
    HACCEL table = nullptr;
    HWND target = nullptr; // receives the commands TranslateAcceleratorA sends
    bool translating = false;
    bool fired = false;
};

Accelerators keys;

bool isKeyMessage(UINT message) {
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

LRESULT CALLBACK targetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && keys.translating) {
        keys.fired = true;
        // Ctrl+Alt+Space (99) only swallows its key: it has no command.
        const int command = LOWORD(wParam);
        const ExtensionState& state = extensionState();
        if (command >= kFirstCommand && command <= kLastCommand && state.fileManager != nullptr)
            PostMessageA(state.fileManager, WM_COMMAND, MAKEWPARAM(state.menuDelta + command, 0), 0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void translate(MSG& msg) {
    const HWND fileManager = extensionState().fileManager;
    // A disabled File Manager window means one of its modal dialogs is open.
    if (fileManager == nullptr || !IsWindowEnabled(fileManager) || !IsChild(fileManager, msg.hwnd))
        return;
    keys.fired = false;
    keys.translating = true;
    const bool matched = TranslateAcceleratorA(keys.target, keys.table, &msg) != 0;
    keys.translating = false;
    if (matched || keys.fired)
        msg.message = WM_NULL;
}

LRESULT CALLBACK messageHook(int code, WPARAM wParam, LPARAM lParam) {
    // A message only peeked at comes by again when it is removed: translate once.
    if (code >= 0 && wParam == PM_REMOVE && keys.table != nullptr) {
        MSG& msg = *reinterpret_cast<MSG*>(lParam);
        try {
            if (isKeyMessage(msg.message))
                translate(msg);
        } catch (...) {
            keys.translating = false;
        }
    }
    return CallNextHookEx(keys.messageHook, code, wParam, lParam);
}

HWND createTarget(HINSTANCE module) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = targetProc;
    wc.hInstance = module;
    wc.lpszClassName = kTargetClass;
    if (RegisterClassA(&wc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return nullptr;
    return CreateWindowExA(0, kTargetClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, module, nullptr);
}

} // namespace

bool installAccelerators(HINSTANCE module, HWND fileManager) {
    removeAccelerators();
    keys.module = module;
    const DWORD thread = GetWindowThreadProcessId(fileManager, nullptr);
    if (thread == 0)
        return false;
    keys.messageHook = SetWindowsHookExA(WH_GETMESSAGE, messageHook, module, thread);
    if (keys.messageHook != nullptr) {
        keys.table = LoadAcceleratorsA(module, MAKEINTRESOURCEA(IDR_EXTENSION_ACCELERATORS));
        keys.target = createTarget(module);
    }
    if (keys.messageHook == nullptr || keys.table == nullptr || keys.target == nullptr) {
        removeAccelerators();
        return false;
    }
    return true;
}

void removeAccelerators() {
    if (keys.messageHook != nullptr)
        UnhookWindowsHookEx(keys.messageHook);
    if (keys.target != nullptr)
        DestroyWindow(keys.target);
    // The class names this library's window procedure: a later copy of the
    // library, loaded elsewhere, registers it anew.
    if (keys.module != nullptr)
        UnregisterClassA(kTargetClass, keys.module);
    keys = Accelerators{};
}

} // namespace ext
