// A File Manager extension for testing hosts: it writes every call it gets, and
// what the host's queries answer, as lines to the file named by FMHOST_PROBE_LOG.
// Copies of the library behave by their file name: one whose name contains
// "refuse" declines to load, one with "unterminated" fills the menu title field
// to its last byte without a terminator.
#include <windows.h>
#include <commctrl.h>
#include <wfext.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

HMENU menu = nullptr;
HBITMAP buttons = nullptr;
UINT delta = 0;
std::string name;

void log(const char* format, ...) {
    char path[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("FMHOST_PROBE_LOG", path, sizeof path);
    if (n == 0 || n >= sizeof path)
        return;
    char line[1024];
    int used = std::snprintf(line, sizeof line, "%s: ", name.c_str());
    va_list args;
    va_start(args, format);
    std::vsnprintf(line + used, sizeof line - used - 2, format, args);
    va_end(args);
    std::strcat(line, "\r\n");
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
    CloseHandle(file);
}

const char* windowKind(HWND window) {
    if (!window)
        return "null";
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    return std::strcmp(className, "FmHostFrame") == 0 ? "frame" : "other";
}

LONG load(HWND window, FMS_LOADA* answer) {
    log("load window=%s size=%lu delta=%u", windowKind(window), answer->dwSize, answer->wMenuDelta);
    if (name.find("refuse") != std::string::npos)
        return 0;
    delta = answer->wMenuDelta;
    menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 1, "Probe &one");
    AppendMenuA(menu, MF_STRING, 2, "Probe &two");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, 21, "Probe &query");
    AppendMenuA(menu, MF_STRING, 3, "Probe &reload");
    AppendMenuA(menu, MF_STRING, 4, "Probe re&fresh");
    AppendMenuA(menu, MF_STRING, 105, "Probe &wrapped");
    answer->hMenu = menu;
    answer->dwSize = sizeof(FMS_LOADA);
    if (name.find("unterminated") != std::string::npos)
        std::memset(answer->szMenuName, 'N', sizeof answer->szMenuName);
    else
        std::strcpy(answer->szMenuName, "&Probe");
    return 1;
}

LONG toolbarLoad(FMS_TOOLBARLOAD* answer) {
    static EXT_BUTTON table[] = {{1, 0, TBSTYLE_BUTTON}, {0, 0, 0}, {2, 0, TBSTYLE_BUTTON}};
    log("toolbarload size=%lu", answer->dwSize);
    HDC screen = GetDC(nullptr);
    buttons = CreateCompatibleBitmap(screen, 32, 15);
    ReleaseDC(nullptr, screen);
    answer->lpButtons = table;
    answer->cButtons = 3;
    answer->cBitmaps = 2;
    answer->hBitmap = buttons;
    return 1;
}

void queries(HWND window) {
    LRESULT focus = SendMessageA(window, FM_GETFOCUS, 0, 0);
    LRESULT count = SendMessageA(window, FM_GETSELCOUNTLFN, 0, 0);
    log("focus %ld count %ld", static_cast<long>(focus), static_cast<long>(count));
    for (LRESULT i = 0; i < count; ++i) {
        FMS_GETFILESELA entry{};
        LRESULT r = SendMessageA(window, FM_GETFILESELLFNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&entry));
        log("sel %ld ret %ld attr %u size %lu name %s", static_cast<long>(i), static_cast<long>(r), entry.bAttr,
            entry.dwSize, entry.szName);
    }
    FMS_GETFILESELA beyond{};
    std::strcpy(beyond.szName, "untouched");
    LRESULT r = SendMessageA(window, FM_GETFILESELLFNA, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(&beyond));
    log("beyond ret %ld name %s", static_cast<long>(r), beyond.szName);
    LRESULT shortCount = SendMessageA(window, FM_GETSELCOUNT, 0, 0);
    for (LRESULT i = 0; i < shortCount; ++i) {
        FMS_GETFILESELA entry{};
        SendMessageA(window, FM_GETFILESELA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&entry));
        log("short %ld name %s", static_cast<long>(i), entry.szName);
    }
    FMS_GETDRIVEINFOA drive{};
    r = SendMessageA(window, FM_GETDRIVEINFOA, 0, reinterpret_cast<LPARAM>(&drive));
    log("drive ret %ld path %s", static_cast<long>(r), drive.szPath);
}

LONG dispatch(HWND window, WORD message, LONG lParam) {
    switch (message) {
    case FMEVENT_LOAD:
        return load(window, reinterpret_cast<FMS_LOADA*>(lParam));
    case FMEVENT_TOOLBARLOAD:
        return toolbarLoad(reinterpret_cast<FMS_TOOLBARLOAD*>(lParam));
    case FMEVENT_UNLOAD:
        log("unload window=%s", windowKind(window));
        if (menu)
            DestroyMenu(menu);
        if (buttons)
            DeleteObject(buttons);
        menu = nullptr;
        buttons = nullptr;
        return 0;
    case FMEVENT_INITMENU: {
        HMENU shown = reinterpret_cast<HMENU>(lParam);
        log("initmenu first=%u items=%d", GetMenuItemID(shown, 0), GetMenuItemCount(shown));
        // Items are addressed by their id in the host's menu, as real extensions do.
        EnableMenuItem(shown, delta + 2, MF_BYCOMMAND | MF_GRAYED);
        return 0;
    }
    case FMEVENT_HELPSTRING: {
        auto* help = reinterpret_cast<FMS_HELPSTRINGA*>(lParam);
        log("helpstring id=%d menu=%s", help->idCommand, help->hMenu ? "set" : "null");
        std::snprintf(help->szHelp, sizeof help->szHelp, "Probe help %d", help->idCommand);
        return 0;
    }
    case FMEVENT_HELPMENUITEM:
        log("helpmenuitem %ld", static_cast<long>(lParam));
        return 0;
    case FMEVENT_SELCHANGE:
        log("selchange");
        return 0;
    case FMEVENT_USER_REFRESH:
        log("userrefresh");
        return 0;
    default:
        break;
    }
    log("command %u window=%s lparam=%ld", message, windowKind(window), static_cast<long>(lParam));
    if (message == 21)
        queries(window);
    else if (message == 3)
        log("reload ret %ld", static_cast<long>(SendMessageA(window, FM_RELOAD_EXTENSIONS, 0, 0)));
    else if (message == 4)
        log("refresh ret %ld", static_cast<long>(SendMessageA(window, FM_REFRESH_WINDOWS, 1, 0)));
    return 0;
}

} // namespace

extern "C" LONG WINAPI FMExtensionProc(HWND window, WORD message, LONG lParam) {
    try {
        return dispatch(window, message, lParam);
    } catch (...) {
        return 0;
    }
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        char path[MAX_PATH] = "";
        GetModuleFileNameA(instance, path, sizeof path);
        std::string full = path;
        name = full.substr(full.find_last_of("\\/") + 1);
        for (char& c : name)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
    }
    return TRUE;
}
