// Drives quorvinx.exe letter 1 (or 2 or 4) over one folder: writes the list
// file and the remembered search text, confirms the prompt (letter 2 has
// none), waits for the result dialog to finish and prints the time, the
// counters and how long the helper took from its start to its first dialog,
// then closes the helper.
// Usage: searchdrive HELPER FOLDER SEARCHTEXT [LETTER]
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct Find {
    DWORD pid;
    const char* caption; // nullptr: any
    HWND found;
};

BOOL CALLBACK match(HWND window, LPARAM param) {
    auto* find = reinterpret_cast<Find*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char className[16] = "", caption[512] = "";
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, caption, sizeof caption);
    if (pid == find->pid && IsWindowVisible(window) && lstrcmpA(className, "#32770") == 0 &&
        (find->caption == nullptr || std::string(caption).rfind(find->caption, 0) == 0)) {
        find->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND waitWindow(DWORD pid, const char* captionStart, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        Find find{pid, captionStart, nullptr};
        EnumWindows(match, reinterpret_cast<LPARAM>(&find));
        if (find.found)
            return find.found;
        Sleep(20);
    }
    return nullptr;
}

std::string itemText(HWND dialog, int id) {
    char buffer[64] = "";
    SendMessageA(GetDlgItem(dialog, id), WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: searchdrive HELPER FOLDER SEARCHTEXT [LETTER]\n");
        return 2;
    }
    char listPath[MAX_PATH] = "";
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    GetTempFileNameA(temp, "zqk", 0, listPath);
    const std::string line = std::string(argv[2]) + "\r\n";
    HANDLE list = CreateFileA(listPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(list, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(list);
    const char letter = argc == 5 ? argv[4][0] : '1';
    const std::string key = std::string("f") + letter;
    WritePrivateProfileStringA("Suchbegriffe", (key + "A").c_str(), argv[3], "Quorvin.ini");
    WritePrivateProfileStringA("Suchbegriffe", (key + "B").c_str(), "*", "Quorvin.ini");

    std::string command = std::string("\"") + argv[1] + "\" " + letter + " \"" + listPath + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::fprintf(stderr, "cannot start %s\n", argv[1]);
        return 1;
    }
    DWORD start = GetTickCount();
    // The prompt, or letter 2's progress window.
    HWND first = waitWindow(process.dwProcessId, nullptr, 20000);
    const DWORD firstDialog = GetTickCount() - start;
    start = GetTickCount(); // the work is timed from the first dialog on, as the floor's is
    if (letter != '2') {
        HWND prompt = first;
        if (prompt == nullptr) {
            std::fprintf(stderr, "no prompt\n");
            return 1;
        }
        start = GetTickCount();
        PostMessageA(GetDlgItem(prompt, IDOK), BM_CLICK, 0, 0);
    }
    // Asking the helper's windows often would slow the helper down: look
    // for the dialog once, then only at its OK button.
    HWND result = waitWindow(process.dwProcessId, "searchresult", 600000);
    const DWORD opened = GetTickCount() - start; // the collecting walk (letter 2) ends here
    HWND ok = result ? GetDlgItem(result, IDOK) : nullptr;
    while (ok != nullptr && !IsWindowVisible(ok))
        Sleep(10);
    const DWORD elapsed = GetTickCount() - start;
    if (result == nullptr) {
        std::fprintf(stderr, "no result\n");
        return 1;
    }
    std::printf("files %s hits %s files-with-hits %s seconds %.3f (result dialog open after %.3f) first-dialog %.3f\n",
                itemText(result, 1026).c_str(), itemText(result, 1027).c_str(), itemText(result, 1029).c_str(),
                elapsed / 1000.0, opened / 1000.0, firstDialog / 1000.0);
    PostMessageA(GetDlgItem(result, IDOK), BM_CLICK, 0, 0);
    WaitForSingleObject(process.hProcess, 30000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}
