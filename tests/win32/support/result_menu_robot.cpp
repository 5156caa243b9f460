#include "tests/win32/support/result_menu_robot.h"

#include "tests/win32/support/helper_run.h"
#include "tests/win32/support/remote_window.h"

namespace {

void key(WORD vk) {
    keybd_event(static_cast<BYTE>(vk), 0, 0, 0);
    keybd_event(static_cast<BYTE>(vk), 0, KEYEVENTF_KEYUP, 0);
    Sleep(30);
}

BOOL CALLBACK findVisibleMenu(HWND window, LPARAM found) {
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "#32768") != 0 || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// A pop-up menu shown on the screen, by any process.
HWND visibleMenu(int timeoutMs) {
    const DWORD start = GetTickCount();
    do {
        HWND menu = nullptr;
        EnumWindows(findVisibleMenu, reinterpret_cast<LPARAM>(&menu));
        if (menu != nullptr)
            return menu;
        Sleep(20);
    } while (GetTickCount() - start < static_cast<DWORD>(timeoutMs));
    return nullptr;
}

std::string programKey(int i) {
    return "Programm_" + std::to_string(i + 1);
}

} // namespace

ProgramSettings::ProgramSettings(const std::vector<std::string>& entries) {
    for (int i = 0; i < 8; ++i) {
        char value[300] = "";
        GetPrivateProfileStringA("Programme", programKey(i).c_str(), "\x01", value, sizeof value, "Quorvin.ini");
        saved_.push_back(value);
        const std::string entry = i < static_cast<int>(entries.size()) ? entries[i] : "-";
        WritePrivateProfileStringA("Programme", programKey(i).c_str(), entry.c_str(), "Quorvin.ini");
    }
}

ProgramSettings::~ProgramSettings() {
    for (int i = 0; i < 8; ++i) {
        const bool absent = saved_[i] == "\x01";
        WritePrivateProfileStringA("Programme", programKey(i).c_str(), absent ? nullptr : saved_[i].c_str(),
                                   "Quorvin.ini");
    }
}

bool pickFromMenu(HWND list, const std::vector<std::string>& files, int item) {
    SendMessageA(list, LB_SETSEL, FALSE, -1);
    const std::vector<std::string> lines = remoteListBoxItems(list);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        for (const std::string& file : files) {
            if (lines[i].rfind(file + "\t", 0) == 0)
                SendMessageA(list, LB_SETSEL, TRUE, static_cast<LPARAM>(i));
        }
    }
    // A window another test left on the screen must not take the click.
    const HWND dialog = GetAncestor(list, GA_ROOT);
    SetForegroundWindow(dialog);
    SetWindowPos(dialog, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Sleep(100);
    RECT r;
    GetWindowRect(list, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    mouse_event(MOUSEEVENTF_RIGHTDOWN, 0, 0, 0, 0);
    const bool opened = item == 0 || visibleMenu(15000) != nullptr;
    for (int i = 0; opened && i < item; ++i)
        key(VK_DOWN);
    if (opened && item > 0)
        key(VK_RETURN);
    mouse_event(MOUSEEVENTF_RIGHTUP, 0, 0, 0, 0);
    return opened;
}

HWND needleSearchResult(DWORD pid, const char* names) {
    const HWND prompt = waitForWindow(pid, "#32770", "Find in files", 15000);
    if (prompt == nullptr)
        return nullptr;
    SendMessageA(GetDlgItem(prompt, 110), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("needle"));
    SendMessageA(GetDlgItem(prompt, 111), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(names));
    remoteClick(prompt, IDOK);
    const HWND result = waitForWindow(pid, "#32770", "searchresult - (Find in files 'NEEDLE')", 15000);
    return result != nullptr && waitForResultFinished(result) ? result : nullptr;
}

std::string answerBox(DWORD pid, int button, int timeoutMs) {
    std::string text;
    const HWND box = waitForMessageBox(pid, text, timeoutMs);
    if (box == nullptr)
        return "(none)";
    remoteClick(box, button);
    Sleep(150);
    return text;
}
