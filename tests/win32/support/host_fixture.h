// A stand-in File Manager for tests: a real top-level window that answers the
// extension's queries from a scripted state and records what it was sent,
// with the real korbinen.dll loaded into the test process.
#pragma once

#include <windows.h>
#include "common/win/fm_extension.h"

#include <string>
#include <vector>

struct HostEntry {
    std::string path; // full path, as the File Manager reports it
    BYTE attributes = 0;
    DWORD size = 0;
};

struct HostState {
    int focus = FMFOCUS_DIR;          // answer of FM_GETFOCUS
    std::vector<HostEntry> selection; // answers of FM_GETSELCOUNTLFN / FM_GETFILESELLFN
    std::string currentDirectory;     // szPath of FM_GETDRIVEINFO
};

struct HostMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class HostFixture {
public:
    static constexpr WORD kMenuDelta = 700;

    HostFixture();
    ~HostFixture();
    HostFixture(const HostFixture&) = delete;
    HostFixture& operator=(const HostFixture&) = delete;

    HWND window() const { return window_; }
    HWND childWindow() const { return child_; } // a focusable child, as the panes are

    // Loads korbinen.dll from beside the test program; false on failure.
    bool loadLibrary();
    HMODULE library() const { return library_; }

    // FMExtensionProc(window(), message, lParam) of the loaded library.
    LONG call(WORD message, LPARAM lParam = 0);

    // Sends FMEVENT_LOAD with menu delta 700; the popup is menu() afterwards,
    // its items renumbered to delta + n as the File Manager does.
    bool sendLoad();
    HMENU menu() const { return menu_; }
    std::string menuName() const { return menuName_; }

    // Sends FMEVENT_UNLOAD with a null window, as the File Manager does.
    void sendUnload();

    // What the window received: the File Manager queries (1536-1543) and WM_COMMAND.
    const std::vector<HostMessage>& received() const { return received_; }
    void clearReceived() { received_.clear(); }
    int countReceived(UINT message) const;

    // Commands that reached FMExtensionProc through WM_COMMAND (delta removed).
    const std::vector<int>& commands() const { return commands_; }

    HostState state;

private:
    static LRESULT CALLBACK windowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle(UINT, WPARAM, LPARAM);

    HWND window_ = nullptr;
    HWND child_ = nullptr;
    HMODULE library_ = nullptr;
    FmExtensionProc proc_ = nullptr;
    HMENU menu_ = nullptr;
    std::string menuName_;
    std::vector<HostMessage> received_;
    std::vector<int> commands_;
};

// Dispatches every pending message for about ms milliseconds.
void pumpMessages(int ms);

// Full path of a file beside the running test program.
std::string besideTestProgram(const char* name);
