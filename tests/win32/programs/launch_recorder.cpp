// A program for the launcher tests: appends one line "<current directory>|<command
// line>" to the file named by KORB_LAUNCH_RECORD and ends. Several copies may
// run at once, so the file is opened exclusively, with retries.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char record[MAX_PATH] = "";
    if (GetEnvironmentVariableA("KORB_LAUNCH_RECORD", record, sizeof record) == 0)
        return 2;
    char directory[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof directory, directory);
    const std::string line = std::string(directory) + "|" + GetCommandLineA() + "\r\n";
    for (int attempt = 0; attempt < 200; ++attempt) {
        HANDLE file = CreateFileA(record, FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            Sleep(10);
            continue;
        }
        DWORD written = 0;
        WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        CloseHandle(file);
        return 0;
    }
    return 1;
}
