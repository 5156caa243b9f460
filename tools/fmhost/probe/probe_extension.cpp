// A File Manager extension for testing hosts: it writes every call it gets, and
// what the host's queries answer, as lines to the file named by FMHOST_PROBE_LOG.
// Copies of the library behave by their file name: one whose name contains
// "refuse" declines to load, one with "unterminated" fills the menu title field
// to its last byte without a terminator. Built with PROBE_WIDE it is a Unicode
// extension: FMExtensionProcW with the wide records, and an FMExtensionProc
// beside it that a host should never call.
#include <windows.h>
#include <commctrl.h>
#include "common/win/fm_extension.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

#ifdef PROBE_WIDE
using LoadRecord = FMS_LOADW;
using HelpRecord = FMS_HELPSTRINGW;
using SelectionRecord = FMS_GETFILESELW;
using DriveRecord = FMS_GETDRIVEINFOW;
constexpr UINT kGetFileSelLfn = FM_GETFILESELLFNW;
constexpr UINT kGetFileSel = FM_GETFILESELW;
constexpr UINT kGetDriveInfo = FM_GETDRIVEINFOW;
constexpr const char* kTitle = "&Unicode ü";
#else
using LoadRecord = FMS_LOADA;
using HelpRecord = FMS_HELPSTRINGA;
using SelectionRecord = FMS_GETFILESELA;
using DriveRecord = FMS_GETDRIVEINFOA;
constexpr UINT kGetFileSelLfn = FM_GETFILESELLFNA;
constexpr UINT kGetFileSel = FM_GETFILESELA;
constexpr UINT kGetDriveInfo = FM_GETDRIVEINFOA;
constexpr const char* kTitle = "&Probe";
#endif

// Texts are logged in the ANSI code page whichever records carried them.
[[maybe_unused]] std::string ansi(const char* text) {
    return text;
}

[[maybe_unused]] std::string ansi(const wchar_t* text) {
    char buffer[1024] = "";
    WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr);
    return buffer;
}

template <size_t N> void setText(char (&field)[N], const std::string& text) {
    lstrcpynA(field, text.c_str(), N);
}

template <size_t N> void setText(wchar_t (&field)[N], const std::string& text) {
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, field, N);
    field[N - 1] = L'\0';
}

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

LONG load(HWND window, LoadRecord* answer) {
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
    answer->dwSize = sizeof(LoadRecord);
    if (name.find("unterminated") != std::string::npos) {
        for (auto& c : answer->szMenuName)
            c = 'N';
    } else {
        setText(answer->szMenuName, kTitle);
    }
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
        SelectionRecord entry{};
        LRESULT r = SendMessageA(window, kGetFileSelLfn, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&entry));
        log("sel %ld ret %ld attr %u size %lu name %s", static_cast<long>(i), static_cast<long>(r), entry.bAttr,
            entry.dwSize, ansi(entry.szName).c_str());
    }
    SelectionRecord beyond{};
    setText(beyond.szName, "untouched");
    LRESULT r = SendMessageA(window, kGetFileSelLfn, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(&beyond));
    log("beyond ret %ld name %s", static_cast<long>(r), ansi(beyond.szName).c_str());
    LRESULT shortCount = SendMessageA(window, FM_GETSELCOUNT, 0, 0);
    for (LRESULT i = 0; i < shortCount; ++i) {
        SelectionRecord entry{};
        SendMessageA(window, kGetFileSel, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&entry));
        log("short %ld name %s", static_cast<long>(i), ansi(entry.szName).c_str());
    }
    DriveRecord drive{};
    r = SendMessageA(window, kGetDriveInfo, 0, reinterpret_cast<LPARAM>(&drive));
    log("drive ret %ld path %s", static_cast<long>(r), ansi(drive.szPath).c_str());
}

// What an extension's own dialog does to its host: a message loop of its own,
// here for two seconds, inside the call.
void modalLoop() {
    log("modal start");
    DWORD end = GetTickCount() + 2000;
    while (GetTickCount() < end) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
    log("modal done");
}

LONG dispatch(HWND window, WORD message, LPARAM lParam) {
    switch (message) {
    case FMEVENT_LOAD:
        return load(window, reinterpret_cast<LoadRecord*>(lParam));
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
        auto* help = reinterpret_cast<HelpRecord*>(lParam);
        log("helpstring id=%d menu=%s", help->idCommand, help->hMenu ? "set" : "null");
        if (name.find("unterminated") != std::string::npos) {
            for (auto& c : help->szHelp)
                c = 'H';
        } else {
            setText(help->szHelp, std::string(kTitle + 1) + " help " + std::to_string(help->idCommand));
        }
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
    else if (message == 6)
        modalLoop();
    return 0;
}

} // namespace

#ifdef PROBE_WIDE
extern "C" LONG WINAPI FMExtensionProcW(HWND window, WORD message, LPARAM lParam) {
    try {
        return dispatch(window, message, lParam);
    } catch (...) {
        return 0;
    }
}

// A host that finds the wide entry must use it; a call here is a fault to see in the log.
extern "C" LONG WINAPI FMExtensionProc(HWND, WORD message, LPARAM) {
    log("narrow entry called with %u", message);
    return 0;
}
#else
extern "C" LONG WINAPI FMExtensionProc(HWND window, WORD message, LPARAM lParam) {
    try {
        return dispatch(window, message, lParam);
    } catch (...) {
        return 0;
    }
}
#endif

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
