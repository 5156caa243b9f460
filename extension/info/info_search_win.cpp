// Command 14: the prompt, then a recursive walk that scans each directory's
// info file into a plain list box window. The walk blocks the File Manager's
// thread and only lets keyboard messages through, so Escape can stop it.
#include "extension/info/info_search_win.h"

#include "common/win/fm_extension.h"

#include <cstring>
#include <string>

#include "common/filetools/search_prompt_win.h"
#include "common/text/language_win.h"
#include "extension/extension_state_win.h"
#include "extension/info/info_search.h"
#include "extension/info/info_store.h"
#include "extension/info/info_store_win.h"

namespace info {

namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                               WS_MAXIMIZEBOX | WS_VSCROLL | LBS_USETABSTOPS;
constexpr UINT kFirstKeyMessage = 0x100;
constexpr UINT kLastKeyMessage = 0x108;

// The search's state lives as long as the loaded extension.
struct InfoSearch {
    HWND window = nullptr;
    int directories = 0;
    int hits = 0;
    bool aborted = false;
    std::string term; // upper case
};

InfoSearch& current() {
    static InfoSearch search;
    return search;
}

void addItem(const std::string& item) {
    SendMessageA(current().window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

// The window is made where the first directory is searched; false when it
// cannot be, which the user is told of.
bool ensureWindow(HWND fileManager) {
    InfoSearch& search = current();
    if (search.window != nullptr)
        return true;
    RECT client{};
    GetClientRect(fileManager, &client);
    const WindowSize size = searchWindowSize(client.right - client.left);
    search.window =
        CreateWindowExA(0, "LISTBOX", text::lookupText(15100), kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, size.width,
                        size.height, fileManager, nullptr, ext::extensionState().module, nullptr);
    if (search.window == nullptr) {
        MessageBoxA(fileManager, "Such-Window creation error.", "File Manager Extension", MB_OK | MB_ICONINFORMATION);
        return false;
    }
    ShowWindow(search.window, SW_SHOW);
    return true;
}

// Dispatches the waiting keyboard messages; true at a key-down of Escape,
// which is taken from the queue and not handed on.
bool escapePressed() {
    MSG message;
    while (PeekMessageA(&message, nullptr, kFirstKeyMessage, kLastKeyMessage, PM_REMOVE)) {
        if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE)
            return true;
        DispatchMessageA(&message);
    }
    return false;
}

void searchDirectory(HWND fileManager, std::string directory) {
    InfoSearch& search = current();
    if (search.aborted || !ensureWindow(fileManager))
        return;
    const bool anyHit = scanInfoFile(directory, search.term, [&](const std::string& line) {
        addItem(line);
        ++search.hits;
    });
    if (anyHit) {
        addItem(" ");
        UpdateWindow(search.window);
    }
    ++search.directories;
    SetWindowTextA(search.window, withCount(kSearchedCaption, search.directories).c_str());
    // A window the user closed on the way (Alt+F4 is a key too) ends the search.
    if (escapePressed() || !IsWindow(search.window)) {
        search.aborted = true;
        return;
    }
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((directory + "\\*.*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!searchesInto(entry.dwFileAttributes, entry.cFileName))
            continue;
        searchDirectory(fileManager, joinPath(directory, entry.cFileName));
        if (search.aborted)
            break;
    } while (FindNextFileA(find, &entry));
    FindClose(find);
}

std::string startDirectory(HWND fileManager) {
    FMS_GETDRIVEINFOA drive{};
    SendMessageA(fileManager, FM_GETDRIVEINFOA, 0, reinterpret_cast<LPARAM>(&drive));
    return std::string(drive.szPath, strnlen(drive.szPath, sizeof drive.szPath));
}

} // namespace

void searchFileInfo(HWND fileManager) {
    const filetools::PromptRequest request{filetools::PromptKind::Extension, 15093, 0, {}, {}};
    if (!filetools::promptForSearch(fileManager, request))
        return;
    InfoSearch& search = current();
    // The prompt's text is one literal term: no "|" lists, no wildcards.
    search.term = upperAz(filetools::searchState().searchText);
    const HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    const std::string start = startDirectory(fileManager);
    closeInfoSearchWindow();
    search.directories = 0;
    search.hits = 0;
    search.aborted = false;
    searchDirectory(fileManager, start);
    if (search.window != nullptr && IsWindow(search.window)) {
        addItem(withCount(text::lookupText(15094), search.hits));
        SetWindowTextA(search.window, text::lookupText(15093));
    }
    SetCursor(previous);
}

void closeInfoSearchWindow() {
    InfoSearch& search = current();
    if (search.window != nullptr && IsWindow(search.window))
        DestroyWindow(search.window);
    search.window = nullptr;
}

} // namespace info
