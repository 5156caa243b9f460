// Loading the extensions named in fmhost's INI file and delivering their events.
#pragma once

#include <windows.h>
#include "common/win/fm_extension.h"

#include <string>
#include <vector>

namespace fmhost {

// One entry of the [AddOns] section.
struct AddOn {
    std::string key;
    std::string path;
};

// The entries of [AddOns] in file order; relative paths are taken beside the INI file when they exist there.
std::vector<AddOn> readAddOns(const std::string& iniPath);

class Extensions {
public:
    static constexpr int kMaxExtensions = 10;
    static constexpr UINT kFirstDelta = 700;
    static constexpr UINT kDeltaStep = 100;

    struct Loaded {
        std::string key;
        std::string path;
        HMODULE module = nullptr;
        FmExtensionProc proc = nullptr;
        bool unicode = false;
        UINT delta = 0;
        HMENU popup = nullptr; // fmhost's rebuilt copy in the menu bar; null when the extension has no menu
        std::wstring title;
    };

    ~Extensions() { unloadAll(); }

    // Loads every listed extension (at most ten): FMEVENT_LOAD, the popup inserted before
    // the menu bar's item beforeMenu, then FMEVENT_TOOLBARLOAD with its buttons added to toolbar.
    void loadAll(HWND frame, const std::string& iniPath, HMENU menuBar, HMENU beforeMenu, HWND toolbar);
    // FMEVENT_UNLOAD with a null window to each, the popups removed, the libraries freed.
    void unloadAll();

    // A command of the menu bar or the toolbar; false when no extension owns the id.
    bool command(UINT id);
    // WM_INITMENUPOPUP: FMEVENT_INITMENU when popup belongs to an extension.
    void initMenu(HMENU popup);
    // Help line for a popup title (item -1) or a menu item id; false when no extension owns it.
    bool helpLine(HMENU popup, int item, std::string& text);
    // F1 on the highlighted item id: FMEVENT_HELPMENUITEM.
    bool helpItem(UINT id);
    // FMEVENT_SELCHANGE, FMEVENT_USER_REFRESH and the like, to every extension.
    void broadcast(WORD event);

    // Extension code is running: the libraries must stay loaded and the frame alive.
    bool busy() const { return depth_ > 0; }
    const std::vector<Loaded>& loaded() const { return loaded_; }
    // Why listed extensions were not loaded, one line each.
    const std::vector<std::string>& problems() const { return problems_; }
    // The tooltip of a toolbar button, from the extension's string resources.
    std::string buttonHelp(UINT id) const;

private:
    LONG call(const Loaded& extension, HWND window, WORD message, LPARAM lParam);
    const Loaded* owner(UINT id) const;
    bool load(const AddOn& addOn, HWND toolbar);
    HMENU rebuildPopup(HMENU source, UINT delta) const;
    void addButtons(const Loaded& extension, const FMS_TOOLBARLOAD& answer, HWND toolbar);

    struct Button {
        UINT id;
        HMODULE module;
        UINT helpId;
    };

    HWND frame_ = nullptr;
    HMENU menuBar_ = nullptr;
    HMENU beforeMenu_ = nullptr;
    std::vector<Loaded> loaded_;
    std::vector<Button> buttons_;
    std::vector<std::string> problems_;
    int depth_ = 0;
};

} // namespace fmhost
