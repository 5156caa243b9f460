// Driving windows of another process: start it, find its windows, read its
// controls, press its buttons.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class ChildProcess {
public:
    // Starts commandLine (a program path and arguments) in directory (nullptr: ours).
    ChildProcess(const std::string& commandLine, const char* directory = nullptr);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return info_.hProcess != nullptr; }
    DWORD id() const { return info_.dwProcessId; }
    // Waits for the end; returns false on time-out. exitCode() is valid after.
    bool wait(int timeoutMs);
    DWORD exitCode() const;
    void kill();

private:
    PROCESS_INFORMATION info_{};
};

// Waits up to timeoutMs for a visible top-level window of process pid (0: any)
// with this class (nullptr: any) and caption (nullptr: any).
HWND waitForWindow(DWORD pid, const char* className, const char* caption, int timeoutMs);

// Visible top-level windows of a process.
std::vector<HWND> processWindows(DWORD pid);

// Texts of a list box in another process, in Windows-1252.
std::vector<std::string> remoteListBoxItems(HWND listBox);
// The selected lines' indices of a multiple-selection list box.
std::vector<int> remoteListBoxSelection(HWND listBox);
// Window text of a window in another process, in Windows-1252.
std::string remoteText(HWND window);
// Presses a button of another process's dialog without waiting for what it starts.
void remoteClick(HWND dialog, int id);
