// Driving another process: its windows are found by process id, list box
// texts are read as UTF-16 (Wine returns that across processes) and turned
// back into Windows-1252.
#include "tests/win32/support/remote_window.h"

#include <vector>

ChildProcess::ChildProcess(const std::string& commandLine, const char* directory) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, directory, &startup, &info_))
        info_ = PROCESS_INFORMATION{};
}

ChildProcess::~ChildProcess() {
    if (info_.hProcess == nullptr)
        return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT)
        kill();
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool ChildProcess::wait(int timeoutMs) {
    return info_.hProcess != nullptr &&
           WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
}

DWORD ChildProcess::exitCode() const {
    DWORD code = STILL_ACTIVE;
    if (info_.hProcess != nullptr)
        GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

void ChildProcess::kill() {
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 5000);
}

namespace {

struct WindowQuery {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK collectWindow(HWND window, LPARAM param) {
    auto* query = reinterpret_cast<WindowQuery*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (IsWindowVisible(window) && (query->pid == 0 || pid == query->pid))
        query->found.push_back(window);
    return TRUE;
}

std::string toAnsi(const wchar_t* text, int length) {
    if (length <= 0)
        return {};
    const int size = WideCharToMultiByte(1252, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(1252, 0, text, length, result.data(), size, nullptr, nullptr);
    return result;
}

} // namespace

std::vector<HWND> processWindows(DWORD pid) {
    WindowQuery query{pid, {}};
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

HWND waitForWindow(DWORD pid, const char* className, const char* caption, int timeoutMs) {
    const DWORD start = GetTickCount();
    do {
        for (HWND window : processWindows(pid)) {
            char cls[256] = "";
            GetClassNameA(window, cls, sizeof cls);
            if (className != nullptr && lstrcmpA(cls, className) != 0)
                continue;
            if (caption != nullptr && remoteText(window) != caption)
                continue;
            return window;
        }
        Sleep(20);
    } while (static_cast<int>(GetTickCount() - start) < timeoutMs);
    return nullptr;
}

std::vector<std::string> remoteListBoxItems(HWND listBox) {
    std::vector<std::string> items;
    const LRESULT count = SendMessageW(listBox, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(listBox, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        if (length < 0) {
            items.emplace_back();
            continue;
        }
        // The length may be counted in bytes of the owner's code page: leave room.
        std::vector<wchar_t> buffer(static_cast<std::size_t>(length) * 2 + 2, L'\0');
        const LRESULT got =
            SendMessageW(listBox, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer.data()));
        items.push_back(toAnsi(buffer.data(), got > 0 ? static_cast<int>(got) : 0));
    }
    return items;
}

std::vector<int> remoteListBoxSelection(HWND listBox) {
    const LRESULT count = SendMessageW(listBox, LB_GETSELCOUNT, 0, 0);
    if (count <= 0)
        return {};
    std::vector<int> selected(static_cast<std::size_t>(count));
    const LRESULT got =
        SendMessageW(listBox, LB_GETSELITEMS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(selected.data()));
    selected.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return selected;
}

std::string remoteText(HWND window) {
    wchar_t buffer[4096] = L"";
    const LRESULT got = SendMessageW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer));
    return toAnsi(buffer, static_cast<int>(got));
}

void remoteClick(HWND dialog, int id) {
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}
