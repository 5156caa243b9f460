// The test host: a window procedure that answers the File Manager queries
// from a scripted state, as the File Manager's frame window would.
#include "tests/win32/support/host_fixture.h"

#include "common/text/text_buffer.h"
#include "common/win/proc_address.h"

namespace {

const char kClassName[] = "KorbTestHost";

void registerClass() {
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA; // replaced per window below
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClassName;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.cbWndExtra = sizeof(void*);
    RegisterClassA(&wc);
    registered = true;
}

bool isHostQuery(UINT message) {
    return message >= FM_GETFOCUS && message <= FM_RELOAD_EXTENSIONS;
}

} // namespace

HostFixture::HostFixture() {
    registerClass();
    window_ = CreateWindowA(kClassName, "Datei-Manager", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 600, 400, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, 0, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HostFixture::windowProc));
    child_ = CreateWindowA("LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_EXTENDEDSEL, 10, 10, 300, 200,
                           window_, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetFocus(child_);
    pumpMessages(0);
}

HostFixture::~HostFixture() {
    if (library_ != nullptr) {
        if (menu_ != nullptr)
            sendUnload();
        FreeLibrary(library_);
    }
    if (menu_ != nullptr)
        DestroyMenu(menu_);
    DestroyWindow(window_);
    pumpMessages(0);
}

bool HostFixture::loadLibrary() {
    library_ = LoadLibraryA(besideTestProgram("korbinen.dll").c_str());
    if (library_ == nullptr)
        return false;
    proc_ = procAddress<FmExtensionProc>(library_, "FMExtensionProc");
    return proc_ != nullptr;
}

LONG HostFixture::call(WORD message, LPARAM lParam) {
    return proc_ ? proc_(window_, message, lParam) : 0;
}

bool HostFixture::sendLoad() {
    FMS_LOAD load{};
    load.dwSize = 0;
    load.wMenuDelta = kMenuDelta;
    if (call(FMEVENT_LOAD, reinterpret_cast<LPARAM>(&load)) == 0)
        return false;
    menu_ = load.hMenu;
    // The File Manager shows the extension's item n under delta + n.
    for (int i = 0, n = GetMenuItemCount(menu_); i < n; ++i) {
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_ID | MIIM_FTYPE;
        if (!GetMenuItemInfoA(menu_, static_cast<UINT>(i), TRUE, &item) || (item.fType & MFT_SEPARATOR))
            continue;
        item.fMask = MIIM_ID;
        item.wID = item.wID % 100 + kMenuDelta;
        SetMenuItemInfoA(menu_, static_cast<UINT>(i), TRUE, &item);
    }
    menuName_.assign(load.szMenuName, strnlen(load.szMenuName, sizeof load.szMenuName));
    return load.dwSize == sizeof(FMS_LOAD);
}

void HostFixture::sendUnload() {
    if (proc_ != nullptr)
        proc_(nullptr, FMEVENT_UNLOAD, 0);
}

int HostFixture::countReceived(UINT message) const {
    int n = 0;
    for (const HostMessage& m : received_)
        n += m.message == message;
    return n;
}

LRESULT CALLBACK HostFixture::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<HostFixture*>(GetWindowLongPtrA(window, 0));
    if (self == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    return self->handle(message, wParam, lParam);
}

LRESULT HostFixture::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    // Control notifications (lParam set) are the panes' business, not the extension's.
    if (isHostQuery(message) || (message == WM_COMMAND && lParam == 0))
        received_.push_back({message, wParam, lParam});
    switch (message) {
    case FM_GETFOCUS:
        return state.focus;
    case FM_GETSELCOUNT:
    case FM_GETSELCOUNTLFN:
        return static_cast<LRESULT>(state.selection.size());
    case FM_GETFILESEL:
    case FM_GETFILESELLFN: {
        auto* sel = reinterpret_cast<FMS_GETFILESEL*>(lParam);
        if (wParam >= state.selection.size() || sel == nullptr)
            return 0;
        const HostEntry& entry = state.selection[wParam];
        *sel = FMS_GETFILESEL{};
        sel->dwSize = entry.size;
        sel->bAttr = entry.attributes;
        copyText(sel->szName, sizeof sel->szName, entry.path);
        return static_cast<LRESULT>(wParam);
    }
    case FM_GETDRIVEINFO: {
        auto* info = reinterpret_cast<FMS_GETDRIVEINFO*>(lParam);
        if (info == nullptr)
            return 0;
        *info = FMS_GETDRIVEINFO{};
        copyText(info->szPath, sizeof info->szPath, state.currentDirectory);
        copyText(info->szVolume, sizeof info->szVolume, "TEST");
        return 1;
    }
    case FM_REFRESH_WINDOWS:
    case FM_RELOAD_EXTENSIONS:
        return 0;
    case WM_COMMAND: {
        // The File Manager hands its extension's menu range back as a command.
        const int id = LOWORD(wParam);
        if (lParam == 0 && proc_ != nullptr && id > kMenuDelta && id < kMenuDelta + 100) {
            commands_.push_back(id - kMenuDelta);
            proc_(window_, static_cast<WORD>(id - kMenuDelta), 0);
        }
        return 0;
    }
    default:
        return DefWindowProcA(window_, message, wParam, lParam);
    }
}

void pumpMessages(int ms) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (ms > 0)
            Sleep(5);
    } while (static_cast<int>(end - GetTickCount()) > 0);
}

std::string besideTestProgram(const char* name) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string result = path;
    result.erase(result.find_last_of('\\') + 1);
    return result + name;
}
