// Helpers for the tests that drive the real helper program.
#include "tests/win32/support/helper_run.h"

#include <gtest/gtest.h>

#include "tests/win32/support/host_fixture.h"
#include "tests/win32/support/remote_window.h"
#include "tests/win32/support/test_files.h"

std::string helperCommand(const std::string& arguments) {
    std::string command = "\"" + besideTestProgram("quorvinx.exe") + "\"";
    if (!arguments.empty())
        command += " " + arguments;
    return command;
}

bool writeListFile(const std::string& path, const std::vector<std::string>& entries) {
    std::string bytes;
    for (const std::string& e : entries)
        bytes += e + "\r\n";
    return writeBytes(path, bytes);
}

std::string rememberedSearchText(const char* key) {
    char buffer[400] = "";
    GetPrivateProfileStringA("Suchbegriffe", key, "(none)", buffer, sizeof buffer, "Quorvin.ini");
    return buffer;
}

HWND waitForMessageBox(DWORD pid, std::string& text, int timeoutMs) {
    const DWORD start = GetTickCount();
    do {
        for (HWND window : processWindows(pid)) {
            const HWND label = GetDlgItem(window, 0xFFFF);
            if (label != nullptr && remoteText(window) == "Quorvin") {
                text = remoteText(label);
                return window;
            }
        }
        Sleep(20);
    } while (GetTickCount() - start < static_cast<DWORD>(timeoutMs));
    text.clear();
    return nullptr;
}

bool waitForResultFinished(HWND result, int timeoutMs) {
    const DWORD start = GetTickCount();
    while (!IsWindowVisible(GetDlgItem(result, IDOK))) {
        if (GetTickCount() - start > static_cast<DWORD>(timeoutMs))
            return false;
        Sleep(50);
    }
    return true;
}

std::vector<std::string> pasteEveryChangedFile(const std::string& directory) {
    ChildProcess helper(helperCommand("8 zqkp.tmp"), directory.c_str());
    HWND prompt = waitForWindow(helper.id(), "#32770", "Paste, provided file changed", 15000);
    if (prompt == nullptr) {
        ADD_FAILURE() << "no paste prompt";
        return {};
    }
    SendMessageA(GetDlgItem(prompt, 110), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("*"));
    remoteClick(prompt, IDOK);
    HWND result = waitForWindow(helper.id(), "#32770", "searchresult - (Paste, provided file changed '*')", 15000);
    if (result == nullptr || !waitForResultFinished(result)) {
        ADD_FAILURE() << "no finished paste result";
        return {};
    }
    std::vector<std::string> lines = remoteListBoxItems(GetDlgItem(result, 1025));
    remoteClick(result, IDOK);
    EXPECT_TRUE(helper.wait(15000));
    return lines;
}
