// Drives quorvinx.exe letter 3 over folders: writes the list file and the
// remembered pattern, confirms the prompt, waits until the tree is summed and
// prints the time, the node count and the top-level labels, then closes it.
// Usage: sizedrive HELPER FOLDER...
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/win32/support/remote_tree.h"
#include "tests/win32/support/remote_window.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: sizedrive HELPER FOLDER...\n");
        return 2;
    }
    char temp[MAX_PATH] = "", listPath[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    GetTempFileNameA(temp, "zqk", 0, listPath);
    std::string lines;
    for (int i = 2; i < argc; ++i)
        lines += std::string(argv[i]) + "\r\n";
    HANDLE list = CreateFileA(listPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(list, lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr);
    CloseHandle(list);
    WritePrivateProfileStringA("Suchbegriffe", "f3A", "*", "Quorvin.ini");

    ChildProcess helper(std::string("\"") + argv[1] + "\" 3 \"" + listPath + "\"");
    HWND prompt = waitForWindow(helper.id(), "#32770", nullptr, 20000);
    if (prompt == nullptr) {
        std::fprintf(stderr, "no prompt\n");
        return 1;
    }
    const DWORD start = GetTickCount();
    PostMessageA(GetDlgItem(prompt, IDOK), BM_CLICK, 0, 0);
    while (IsWindow(prompt))
        Sleep(5);
    HWND dialog = waitForWindow(helper.id(), "#32770", nullptr, 600000);
    HWND ok = dialog ? GetDlgItem(dialog, IDOK) : nullptr;
    // Only the OK button is asked while the helper works.
    while (ok != nullptr && !IsWindowVisible(ok))
        Sleep(10);
    const DWORD elapsed = GetTickCount() - start;
    if (dialog == nullptr) {
        std::fprintf(stderr, "no size tree\n");
        return 1;
    }
    const std::vector<TreeItemSeen> items = remoteTreeItems(GetDlgItem(dialog, 1016));
    std::printf("seconds %.3f nodes %u\n", elapsed / 1000.0, static_cast<unsigned>(items.size()));
    for (const TreeItemSeen& item : items)
        if (item.depth == 0)
            std::printf("%s\n", item.label.c_str());
    PostMessageA(ok, BM_CLICK, 0, 0);
    helper.wait(30000);
    return 0;
}
