// fmhost's main window: menus, toolbar, status bar, the panes, and the message
// path between them and the loaded extensions.
#pragma once

#include <windows.h>

#include <string>

#include "tools/fmhost/extensions.h"
#include "tools/fmhost/panes.h"

namespace fmhost {

struct Options {
    std::string iniPath;        // the extension list; fmhost.ini beside the program by default
    std::string reportPath;     // where the report message writes the menu bar and panes; empty: nowhere
    std::string startDirectory; // empty: the current directory
    int openMenu = -1;          // drop this extension's popup down after start (0 = first)
    int closeAfterSeconds = 0;  // close by itself after that long (0 = never)
};

// Reads /ini:PATH, /report:PATH, /openmenu:N, /closeafter:SECONDS and a directory.
// Returns false with a message in error for an unknown switch or a bad number.
bool parseOptions(int argc, char** argv, Options& options, std::string& error);

class Frame {
public:
    // Sent (or posted) to the frame by name: writes the report file; returns 1 when written.
    static constexpr const char* kReportMessageName = "fmhost.report";

    bool create(HINSTANCE instance, const Options& options, int show);
    HWND window() const { return window_; }
    // Posted queries it drops, and keys the frame handles before the normal translation (Tab between panes,
    // Enter and Backspace in the file list); true when msg was used.
    bool preTranslate(const MSG& msg);
    HACCEL accelerators() const { return accelerators_; }
    // F1 on the highlighted menu item.
    void helpOnHighlightedItem();

private:
    static LRESULT CALLBACK windowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void buildMenuBar();
    void createToolbar();
    void loadExtensions();
    void reloadExtensions();
    void layout();
    void onCommand(WPARAM wParam, LPARAM lParam);
    void onMenuSelect(WPARAM wParam, LPARAM lParam);
    void selectionChanged();
    void showStatus();
    void showHelpLine(const std::string& text);
    void openExtensionMenu(int index);
    void runDeferred();
    bool writeReport() const;

    HWND window_ = nullptr;
    HWND toolbar_ = nullptr;
    HWND status_ = nullptr;
    HMENU menuBar_ = nullptr;
    HMENU windowMenu_ = nullptr;
    HACCEL accelerators_ = nullptr;
    UINT reportMessage_ = 0;
    Options options_;
    Panes panes_;
    Extensions extensions_;
    UINT highlighted_ = 0;
    std::string helpLine_; // shown while a menu is open
    bool pendingClose_ = false;
    bool pendingReload_ = false;
};

} // namespace fmhost
