// The demo's user: selects a folder in fmhost, opens the extension's menu,
// moves to the content search and picks it, types the search text into the
// helper's prompt, waits for the hits and closes everything again. It saves a
// PNG of the open menu and one of the result dialog.
//
// demo_driver REPORTFILE FOLDER SEARCHTEXT OUTDIR PAUSEMS
// REPORTFILE is the /report: file fmhost was started with; PAUSEMS is how long
// each step stays on screen for a watching user. Exit code 0 when every step
// was seen, otherwise 1 with the failed step on standard error.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "tests/win32/support/remote_window.h"
#include "tests/win32/support/screenshot.h"

namespace {

constexpr int kFilesPane = 12;          // fmhost's file list
constexpr int kSearchCommand = 16;      // the extension's content search
constexpr int kPromptSearchEdit = 110;  // the helper prompt's search text
constexpr int kHelperResultList = 1025; // the helper result dialog's list
constexpr int kHelperFilesSearched = 1026;

int pauseMs = 1000;

[[noreturn]] void fail(const std::string& step) {
    std::fprintf(stderr, "demo_driver: %s\n", step.c_str());
    std::exit(1);
}

void key(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
}

void press(WORD vk) {
    key(vk, false);
    key(vk, true);
    Sleep(150);
}

// What fmhost reports about itself: one "name value" line per fact.
std::string reportValue(HWND frame, const std::string& reportFile, const std::string& name) {
    const UINT message = RegisterWindowMessageA("fmhost.report");
    DWORD_PTR written = 0;
    if (!SendMessageTimeoutA(frame, message, 0, 0, SMTO_ABORTIFHUNG, 5000, &written) || written == 0)
        return "";
    std::ifstream in(reportFile);
    std::string line;
    std::vector<std::string> values;
    while (std::getline(in, line))
        if (line.rfind(name + " ", 0) == 0)
            values.push_back(line.substr(name.size() + 1));
    return values.empty() ? "" : values.back();
}

// The extension's menu delta, from the report's "extension KEY DELTA PATH" line.
int extensionDelta(HWND frame, const std::string& reportFile) {
    const std::string value = reportValue(frame, reportFile, "extension");
    return value.empty() ? -1 : std::atoi(value.substr(value.find(' ') + 1).c_str());
}

// A top-level dialog of another process than fmhost's that has the control.
HWND waitForHelperDialog(DWORD fmhostId, int control, int timeoutMs) {
    for (int waited = 0; waited <= timeoutMs; waited += 100) {
        HWND window = nullptr;
        while ((window = FindWindowExA(nullptr, window, "#32770", nullptr)) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != fmhostId && IsWindowVisible(window) && GetDlgItem(window, control))
                return window;
        }
        Sleep(100);
    }
    return nullptr;
}

void screenshot(const std::string& outDir, const char* name) {
    const std::string path = outDir + "\\" + name;
    if (!saveScreenshot(path))
        fail(std::string("could not save ") + name);
    std::printf("%s\n", name);
    std::fflush(stdout);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc != 6)
        fail("use: demo_driver REPORTFILE FOLDER SEARCHTEXT OUTDIR PAUSEMS");
    const std::string reportFile = __argv[1], folder = __argv[2], searchText = __argv[3], outDir = __argv[4];
    pauseMs = std::atoi(__argv[5]);

    HWND frame = waitForWindow(0, "FmHostFrame", nullptr, 30000);
    if (!frame)
        fail("fmhost did not open its window");
    DWORD fmhostId = 0;
    GetWindowThreadProcessId(frame, &fmhostId);
    const int delta = extensionDelta(frame, reportFile);
    if (delta <= 0)
        fail("fmhost has not loaded korbinen.dll");

    // The folder, selected in the file list as a click would.
    HWND files = GetDlgItem(frame, kFilesPane);
    const std::vector<std::string> shown = remoteListBoxItems(files);
    int index = -1;
    for (std::size_t i = 0; i < shown.size(); ++i)
        if (shown[i].rfind(folder, 0) == 0)
            index = static_cast<int>(i);
    if (index < 0)
        fail("fmhost does not list the folder " + folder);
    SetForegroundWindow(frame);
    SendMessageA(files, LB_SETSEL, FALSE, -1);
    SendMessageA(files, LB_SETSEL, TRUE, index);
    SetFocus(files);
    for (int i = 0; i < 100 && GetForegroundWindow() != frame; ++i)
        Sleep(20);
    Sleep(pauseMs);

    // Alt+E opens "&Extra"; the arrow keys move to the search item, which
    // fmhost reports as highlighted.
    key(VK_MENU, false);
    press('E');
    key(VK_MENU, true);
    Sleep(300);
    const std::string wanted = std::to_string(delta + kSearchCommand);
    bool reached = false;
    for (int i = 0; i < 25 && !reached; ++i) {
        if (reportValue(frame, reportFile, "highlighted") == wanted)
            reached = true;
        else
            press(VK_DOWN);
    }
    if (!reached)
        fail("the content search item was not reached in the menu");
    Sleep(pauseMs);
    screenshot(outDir, "1-extra-menu.png");
    press(VK_RETURN);

    // The helper's prompt, in its own process.
    HWND prompt = waitForHelperDialog(fmhostId, kPromptSearchEdit, 20000);
    if (!prompt)
        fail("the helper's search prompt did not open");
    DWORD helperId = 0;
    GetWindowThreadProcessId(prompt, &helperId);
    HANDLE helper = OpenProcess(SYNCHRONIZE, FALSE, helperId);
    SendMessageA(GetDlgItem(prompt, kPromptSearchEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(searchText.c_str()));
    Sleep(pauseMs);
    remoteClick(prompt, IDOK);

    HWND result = waitForHelperDialog(fmhostId, kHelperResultList, 20000);
    if (!result)
        fail("the result dialog did not open");
    for (int i = 0; i < 1500 && !IsWindowVisible(GetDlgItem(result, IDOK)); ++i)
        Sleep(20);
    if (!IsWindowVisible(GetDlgItem(result, IDOK)))
        fail("the search did not finish");
    const std::vector<std::string> hits = remoteListBoxItems(GetDlgItem(result, kHelperResultList));
    Sleep(pauseMs);
    screenshot(outDir, "2-search-result.png");
    std::fprintf(stderr, "demo_driver: %zu result lines, %s files searched\n", hits.size(),
                 remoteText(GetDlgItem(result, kHelperFilesSearched)).c_str());
    if (hits.empty())
        fail("the search found nothing");

    remoteClick(result, IDCANCEL);
    // The helper removes its list file as it ends: let it finish before fmhost closes.
    if (helper == nullptr || WaitForSingleObject(helper, 20000) != WAIT_OBJECT_0)
        fail("the helper did not end");
    CloseHandle(helper);
    Sleep(pauseMs);
    PostMessageA(frame, WM_CLOSE, 0, 0);
    return 0;
}
