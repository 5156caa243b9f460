// Drives korbinen.dll's own content search (command 16) over one folder, as
// File Manager on an old Windows would run it: a stand-in frame window
// answers the selection queries with the folder, another thread confirms the
// prompt and waits for the finished result; the time from the confirmed
// prompt to the finished result is printed with the counters. Wine reports an
// old Windows only to a program named for it when it starts, so the program
// runs a copy of itself under such an entry.
// Usage: extsearch DLL FOLDER SEARCHTEXT
// Prints "files N hits N files-with-hits N seconds S".
#include <windows.h>

#include "common/win/fm_extension.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr const char* kChildVariable = "EXTSEARCH_CHILD";
constexpr WORD kSearchCommand = 16;
// The extension's result dialog: list, files searched, hits, files with hits.
constexpr int kSearched = 185, kHits = 188, kWithHits = 194;

std::string folder, searchText;
DWORD mainThread = 0;

void copyField(char* field, std::size_t size, const std::string& text) {
    lstrcpynA(field, text.c_str(), static_cast<int>(size));
}

// The frame: the folder is the one selected entry of a focused file list.
LRESULT CALLBACK frameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case FM_GETFOCUS:
        return FMFOCUS_DIR;
    case FM_GETSELCOUNT:
    case FM_GETSELCOUNTLFN:
        return 1;
    case FM_GETFILESELA:
    case FM_GETFILESELLFNA:
        if (wParam != 0)
            return 0;
        copyField(reinterpret_cast<FMS_GETFILESELA*>(lParam)->szName, MAX_PATH, folder);
        return 1;
    case FM_GETDRIVEINFOA:
        copyField(reinterpret_cast<FMS_GETDRIVEINFOA*>(lParam)->szPath, MAX_PATH, folder);
        return 1;
    default:
        return message >= WM_USER ? 0 : DefWindowProcA(window, message, wParam, lParam);
    }
}

struct Find {
    const char* caption; // nullptr: any
    HWND found;
};

BOOL CALLBACK match(HWND window, LPARAM param) {
    auto* find = reinterpret_cast<Find*>(param);
    char className[16] = "", caption[512] = "";
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, caption, sizeof caption);
    if (IsWindowVisible(window) && lstrcmpA(className, "#32770") == 0 &&
        (find->caption == nullptr || std::strncmp(caption, find->caption, std::strlen(find->caption)) == 0)) {
        find->found = window;
        return FALSE;
    }
    return TRUE;
}

// Asks rarely: every question costs the searching thread a share of the Wine server.
HWND waitDialog(const char* caption, DWORD timeoutMs, DWORD pollMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        Find find{caption, nullptr};
        EnumThreadWindows(mainThread, match, reinterpret_cast<LPARAM>(&find));
        if (find.found)
            return find.found;
        Sleep(pollMs);
    }
    return nullptr;
}

std::string itemText(HWND dialog, int id) {
    char buffer[64] = "";
    SendMessageA(GetDlgItem(dialog, id), WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

DWORD WINAPI confirmAndTime(void*) {
    HWND prompt = waitDialog(nullptr, 20000, 20);
    if (prompt == nullptr) {
        std::fprintf(stderr, "no prompt\n");
        std::exit(1);
    }
    SendMessageA(GetDlgItem(prompt, 113), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(searchText.c_str()));
    const DWORD start = GetTickCount();
    PostMessageA(GetDlgItem(prompt, IDOK), BM_CLICK, 0, 0);
    HWND result = waitDialog("searchresult", 600000, 50);
    HWND ok = result ? GetDlgItem(result, IDOK) : nullptr;
    while (ok != nullptr && !IsWindowVisible(ok))
        Sleep(20);
    const DWORD elapsed = GetTickCount() - start;
    if (result == nullptr) {
        std::fprintf(stderr, "no result\n");
        std::exit(1);
    }
    std::printf("files %s hits %s files-with-hits %s seconds %.3f\n", itemText(result, kSearched).c_str(),
                itemText(result, kHits).c_str(), itemText(result, kWithHits).c_str(), elapsed / 1000.0);
    std::fflush(stdout);
    PostMessageA(ok, BM_CLICK, 0, 0);
    return 0;
}

int runSearch(const char* dll) {
    HMODULE module = LoadLibraryA(dll);
    auto proc =
        module ? reinterpret_cast<FmExtensionProc>(reinterpret_cast<void*>(GetProcAddress(module, "FMExtensionProc")))
               : nullptr;
    if (proc == nullptr) {
        std::fprintf(stderr, "cannot load %s\n", dll);
        return 1;
    }
    WNDCLASSA frameClass{};
    frameClass.lpfnWndProc = frameProc;
    frameClass.hInstance = GetModuleHandleA(nullptr);
    frameClass.lpszClassName = "ExtSearchFrame";
    RegisterClassA(&frameClass);
    HWND frame = CreateWindowA("ExtSearchFrame", "extsearch", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                               frameClass.hInstance, nullptr);
    FMS_LOAD load{};
    load.dwSize = sizeof load;
    load.wMenuDelta = 1000;
    if (!proc(frame, FMEVENT_LOAD, reinterpret_cast<LPARAM>(&load))) {
        std::fprintf(stderr, "the extension refused to load\n");
        return 1;
    }
    mainThread = GetCurrentThreadId();
    HANDLE helper = CreateThread(nullptr, 0, confirmAndTime, nullptr, 0, nullptr);
    proc(frame, kSearchCommand, 0);
    WaitForSingleObject(helper, 30000);
    proc(frame, FMEVENT_UNLOAD, 0);
    DestroyWindow(frame);
    return 0;
}

// Runs this program again as Windows 3.10 and waits for it.
int runAsOldWindows() {
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    const char* slash = std::strrchr(self, '\\');
    const std::string key = std::string("Software\\Wine\\AppDefaults\\") + (slash ? slash + 1 : self);
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS)
        return 1;
    RegSetValueExA(handle, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("win31"), 6);
    RegCloseKey(handle);
    SetEnvironmentVariableA(kChildVariable, "1");
    std::string command = GetCommandLineA();
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    DWORD code = 1;
    if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
    return static_cast<int>(code);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: extsearch DLL FOLDER SEARCHTEXT\n");
        return 2;
    }
    if (std::getenv(kChildVariable) == nullptr)
        return runAsOldWindows();
    if (LOBYTE(LOWORD(GetVersion())) > 3) {
        std::fprintf(stderr, "not taken for an old Windows: the extension would start the helper\n");
        return 1;
    }
    folder = argv[2];
    searchText = argv[3];
    return runSearch(argv[1]);
}
