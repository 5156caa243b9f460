// The three panes of fmhost's window: drive bar, directory tree and file list,
// and what they know of the current directory and the selection.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace fmhost {

struct Entry {
    std::string name;
    DWORD attributes = 0;
    DWORD size = 0; // cut to 32 bits, as the extension interface carries it
    FILETIME lastWrite{};
};

// A selected entry as the queries report it.
struct Selected {
    std::string path; // full long path
    DWORD attributes = 0;
    DWORD size = 0;
    FILETIME lastWrite{};
};

enum class PaneKind { Files, Tree, Drives };

class Panes {
public:
    // Control ids, so the frame can tell the notifications apart.
    static constexpr int kDrivesId = 10;
    static constexpr int kTreeId = 11;
    static constexpr int kFilesId = 12;

    bool create(HWND parent);
    void layout(const RECT& area);

    // Shows directory (and its drive) in all panes; false when it is not a directory.
    bool showDirectory(const std::string& directory);
    const std::string& currentDirectory() const { return current_; }

    // Re-reads the file list (and the tree and drives too when all is set); keeps the selection by name.
    void refresh(bool all);

    // The pane that had the keyboard focus last; the file list at start.
    PaneKind focus() const { return focus_; }
    void noteFocus(PaneKind kind) { focus_ = kind; }
    // Moves the focus to the next pane (Tab) or the previous one (Shift+Tab).
    void cycleFocus(bool backwards);

    // The selection of the focused pane: the marked files and directories of the
    // list, the tree's directory, or the drive bar's root.
    std::vector<Selected> selection() const;
    // The marked entries of the file list, whichever pane has the focus.
    std::vector<Selected> markedFiles() const;
    const std::vector<Entry>& entries() const { return entries_; }

    // Notifications from the frame; each returns true when the selection changed.
    bool onFilesCommand(int code);
    bool onDrivesCommand(int code);
    bool onTreeNotify(NMHDR* header, LRESULT& result);
    // Enter or Backspace in the file list: opens a directory or goes up.
    bool onFilesKey(WPARAM key);

    HWND files() const { return files_; }
    HWND tree() const { return tree_; }
    HWND drives() const { return drives_; }

private:
    void fillDrives();
    void fillFiles();
    void rebuildTree();
    // Opens the tree from the drive item down to the current directory; its item.
    HTREEITEM openPath(HTREEITEM driveItem, const std::string& root);
    void fillTreeChildren(HTREEITEM item);
    std::string treePath(HTREEITEM item) const;
    HTREEITEM childNamed(HTREEITEM parent, const std::string& name) const;
    bool openSelectedFile();

    HWND drives_ = nullptr;
    HWND tree_ = nullptr;
    HWND files_ = nullptr;
    std::string current_;
    std::vector<Entry> entries_;
    PaneKind focus_ = PaneKind::Files;
    bool settingTree_ = false; // the tree selection is being set by code, not by the user
};

// The full path of name inside directory ("C:\" + "a" is "C:\a").
std::string joinPath(const std::string& directory, const std::string& name);
// The entries of a directory: subdirectories first, then files, each by name, without "." and "..".
std::vector<Entry> readDirectory(const std::string& directory);

} // namespace fmhost
