// The drive bar, the directory tree and the file list of fmhost, read from the disk.
#include "tools/fmhost/panes.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>

namespace fmhost {

namespace {

constexpr int kDriveBarHeight = 24;

bool isDirectory(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// "C:\" for "C:\a\b", "\\server\share\" for a network path.
std::string rootOf(const std::string& path) {
    if (path.size() >= 2 && path[1] == ':')
        return path.substr(0, 2) + "\\";
    if (path.rfind("\\\\", 0) == 0) {
        size_t server = path.find('\\', 2);
        size_t share = server == std::string::npos ? std::string::npos : path.find('\\', server + 1);
        return share == std::string::npos ? path + "\\" : path.substr(0, share + 1);
    }
    return path;
}

std::vector<std::string> componentsBelowRoot(const std::string& path, const std::string& root) {
    std::vector<std::string> parts;
    std::string rest = path.size() > root.size() ? path.substr(root.size()) : std::string();
    size_t start = 0;
    while (start < rest.size()) {
        size_t end = rest.find('\\', start);
        if (end == std::string::npos)
            end = rest.size();
        if (end > start)
            parts.push_back(rest.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::string attributeLetters(DWORD attributes) {
    std::string letters = "----";
    if (attributes & FILE_ATTRIBUTE_READONLY)
        letters[0] = 'R';
    if (attributes & FILE_ATTRIBUTE_HIDDEN)
        letters[1] = 'H';
    if (attributes & FILE_ATTRIBUTE_SYSTEM)
        letters[2] = 'S';
    if (attributes & FILE_ATTRIBUTE_ARCHIVE)
        letters[3] = 'A';
    return letters;
}

std::string listLine(const Entry& entry) {
    char size[16];
    if (isDirectory(entry.attributes))
        std::snprintf(size, sizeof size, "<DIR>");
    else
        std::snprintf(size, sizeof size, "%lu", static_cast<unsigned long>(entry.size));
    return entry.name + "\t" + size + "\t" + attributeLetters(entry.attributes);
}

std::string itemText(HWND tree, HTREEITEM item) {
    char buffer[MAX_PATH] = "";
    TVITEMA data{};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = buffer;
    data.cchTextMax = sizeof buffer;
    TreeView_GetItem(tree, &data);
    return buffer;
}

HTREEITEM insertTreeItem(HWND tree, HTREEITEM parent, const std::string& text) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_CHILDREN | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(text.c_str());
    insert.item.cChildren = 1; // unknown until opened; the button lets the user try
    insert.item.lParam = 0;    // 1 once its children are read
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

} // namespace

std::string joinPath(const std::string& directory, const std::string& name) {
    if (!directory.empty() && directory.back() == '\\')
        return directory + name;
    return directory + "\\" + name;
}

std::vector<Entry> readDirectory(const std::string& directory) {
    std::vector<Entry> entries;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(joinPath(directory, "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return entries;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        Entry entry;
        entry.name = name;
        entry.attributes = found.dwFileAttributes;
        entry.size = found.nFileSizeHigh != 0 ? 0xFFFFFFFFu : found.nFileSizeLow;
        entry.lastWrite = found.ftLastWriteTime;
        entries.push_back(entry);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        bool aDir = isDirectory(a.attributes), bDir = isDirectory(b.attributes);
        if (aDir != bDir)
            return aDir;
        return lstrcmpiA(a.name.c_str(), b.name.c_str()) < 0;
    });
    return entries;
}

bool Panes::create(HWND parent) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    drives_ = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | LBS_MULTICOLUMN | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                              0, 0, 0, 0, parent, reinterpret_cast<HMENU>(kDrivesId), instance, nullptr);
    tree_ = CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT |
                                TVS_SHOWSELALWAYS,
                            0, 0, 0, 0, parent, reinterpret_cast<HMENU>(kTreeId), instance, nullptr);
    files_ = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_EXTENDEDSEL | LBS_NOTIFY |
                                 LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT,
                             0, 0, 0, 0, parent, reinterpret_cast<HMENU>(kFilesId), instance, nullptr);
    if (!drives_ || !tree_ || !files_)
        return false;
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (HWND pane : {drives_, tree_, files_})
        SendMessageA(pane, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageA(drives_, LB_SETCOLUMNWIDTH, 40, 0);
    int tabs[] = {120, 170};
    SendMessageA(files_, LB_SETTABSTOPS, 2, reinterpret_cast<LPARAM>(tabs));
    fillDrives();
    return true;
}

void Panes::layout(const RECT& area) {
    int width = area.right - area.left;
    int height = area.bottom - area.top - kDriveBarHeight;
    if (height < 0)
        height = 0;
    int treeWidth = width / 3;
    MoveWindow(drives_, area.left, area.top, width, kDriveBarHeight, TRUE);
    SendMessageA(drives_, LB_SETTOPINDEX, 0, 0); // all drives fit; do not leave the bar scrolled
    MoveWindow(tree_, area.left, area.top + kDriveBarHeight, treeWidth, height, TRUE);
    MoveWindow(files_, area.left + treeWidth, area.top + kDriveBarHeight, width - treeWidth, height, TRUE);
}

void Panes::fillDrives() {
    SendMessageA(drives_, LB_RESETCONTENT, 0, 0);
    DWORD mask = GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter) {
        if (!(mask & (1u << letter)))
            continue;
        char name[3] = {static_cast<char>('A' + letter), ':', '\0'};
        SendMessageA(drives_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    }
    if (!current_.empty()) {
        char name[3] = {current_[0], ':', '\0'};
        LRESULT index =
            SendMessageA(drives_, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name));
        SendMessageA(drives_, LB_SETCURSEL, index == LB_ERR ? static_cast<WPARAM>(-1) : index, 0);
    }
}

bool Panes::showDirectory(const std::string& directory) {
    char full[MAX_PATH];
    DWORD length = GetFullPathNameA(directory.c_str(), sizeof full, full, nullptr);
    if (length == 0 || length >= sizeof full || !isDirectory(GetFileAttributesA(full)))
        return false;
    std::string path = full;
    std::string root = rootOf(path);
    if (path.size() > root.size() && path.back() == '\\')
        path.pop_back();
    bool newRoot = current_.empty() || lstrcmpiA(rootOf(current_).c_str(), root.c_str()) != 0;
    current_ = path;
    if (newRoot) {
        rebuildTree();
        fillDrives();
    } else {
        HTREEITEM item = openPath(TreeView_GetRoot(tree_), root);
        settingTree_ = true;
        TreeView_SelectItem(tree_, item);
        settingTree_ = false;
    }
    fillFiles();
    return true;
}

HTREEITEM Panes::openPath(HTREEITEM item, const std::string& root) {
    for (const std::string& part : componentsBelowRoot(current_, root)) {
        fillTreeChildren(item);
        HTREEITEM child = childNamed(item, part);
        if (!child)
            child = insertTreeItem(tree_, item, part);
        TreeView_Expand(tree_, item, TVE_EXPAND);
        item = child;
    }
    fillTreeChildren(item);
    return item;
}

void Panes::rebuildTree() {
    settingTree_ = true;
    TreeView_DeleteAllItems(tree_);
    std::string root = rootOf(current_);
    HTREEITEM item = openPath(insertTreeItem(tree_, TVI_ROOT, root), root);
    TreeView_Expand(tree_, item, TVE_EXPAND);
    TreeView_SelectItem(tree_, item);
    settingTree_ = false;
}

void Panes::fillTreeChildren(HTREEITEM item) {
    TVITEMA data{};
    data.mask = TVIF_PARAM;
    data.hItem = item;
    TreeView_GetItem(tree_, &data);
    if (data.lParam == 1)
        return;
    int count = 0;
    for (const Entry& entry : readDirectory(treePath(item))) {
        if (isDirectory(entry.attributes)) {
            insertTreeItem(tree_, item, entry.name);
            ++count;
        }
    }
    data.mask = TVIF_PARAM | TVIF_CHILDREN;
    data.lParam = 1;
    data.cChildren = count > 0 ? 1 : 0;
    TreeView_SetItem(tree_, &data);
}

std::string Panes::treePath(HTREEITEM item) const {
    std::vector<std::string> parts;
    for (HTREEITEM at = item; at; at = TreeView_GetParent(tree_, at))
        parts.push_back(itemText(tree_, at));
    if (parts.empty())
        return std::string();
    std::string path = parts.back();
    for (auto part = parts.rbegin() + 1; part != parts.rend(); ++part)
        path = joinPath(path, *part);
    return path;
}

HTREEITEM Panes::childNamed(HTREEITEM parent, const std::string& name) const {
    for (HTREEITEM child = TreeView_GetChild(tree_, parent); child; child = TreeView_GetNextSibling(tree_, child))
        if (lstrcmpiA(itemText(tree_, child).c_str(), name.c_str()) == 0)
            return child;
    return nullptr;
}

void Panes::fillFiles() {
    std::vector<Entry> read = readDirectory(current_);
    SendMessageA(files_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(files_, LB_RESETCONTENT, 0, 0);
    size_t shown = 0;
    for (; shown < read.size(); ++shown) {
        LRESULT at = SendMessageA(files_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(listLine(read[shown]).c_str()));
        if (at == LB_ERR || at == LB_ERRSPACE)
            break;
    }
    // List index and entry index must stay the same, or a query would report the wrong file.
    read.resize(shown);
    entries_ = std::move(read);
    SendMessageA(files_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(files_, nullptr, TRUE);
}

void Panes::refresh(bool all) {
    std::vector<std::string> marked;
    for (const Selected& s : markedFiles())
        marked.push_back(s.path);
    if (!isDirectory(GetFileAttributesA(current_.c_str()))) {
        // The directory is gone: fall back to the nearest one that still exists.
        std::string up = current_;
        while (up.size() > rootOf(up).size() && !isDirectory(GetFileAttributesA(up.c_str())))
            up = up.substr(0, std::max<size_t>(up.rfind('\\'), rootOf(up).size()));
        current_ = up;
        all = true;
    }
    if (all) {
        fillDrives();
        rebuildTree();
    } else {
        HTREEITEM item = TreeView_GetSelection(tree_);
        if (item) {
            // Forget the node's children so that they are read again.
            settingTree_ = true;
            for (HTREEITEM child = TreeView_GetChild(tree_, item); child; child = TreeView_GetChild(tree_, item))
                TreeView_DeleteItem(tree_, child);
            TVITEMA data{};
            data.mask = TVIF_PARAM;
            data.hItem = item;
            data.lParam = 0;
            TreeView_SetItem(tree_, &data);
            fillTreeChildren(item);
            TreeView_Expand(tree_, item, TVE_EXPAND);
            settingTree_ = false;
        }
    }
    fillFiles();
    for (size_t i = 0; i < entries_.size(); ++i)
        for (const std::string& path : marked)
            if (lstrcmpiA(joinPath(current_, entries_[i].name).c_str(), path.c_str()) == 0)
                SendMessageA(files_, LB_SETSEL, TRUE, static_cast<LPARAM>(i));
}

void Panes::cycleFocus(bool backwards) {
    HWND order[] = {tree_, files_, drives_};
    PaneKind kinds[] = {PaneKind::Tree, PaneKind::Files, PaneKind::Drives};
    int at = 0;
    for (int i = 0; i < 3; ++i)
        if (kinds[i] == focus_)
            at = i;
    at = (at + (backwards ? 2 : 1)) % 3;
    focus_ = kinds[at];
    SetFocus(order[at]);
}

std::vector<Selected> Panes::markedFiles() const {
    std::vector<Selected> result;
    LRESULT count = SendMessageA(files_, LB_GETSELCOUNT, 0, 0);
    if (count <= 0)
        return result;
    std::vector<int> indices(static_cast<size_t>(count));
    count = SendMessageA(files_, LB_GETSELITEMS, count, reinterpret_cast<LPARAM>(indices.data()));
    for (LRESULT i = 0; i < count; ++i) {
        size_t index = static_cast<size_t>(indices[static_cast<size_t>(i)]);
        if (index >= entries_.size())
            continue;
        const Entry& entry = entries_[index];
        result.push_back({joinPath(current_, entry.name), entry.attributes, entry.size, entry.lastWrite});
    }
    return result;
}

std::vector<Selected> Panes::selection() const {
    if (focus_ == PaneKind::Files)
        return markedFiles();
    std::vector<Selected> result;
    std::string path = focus_ == PaneKind::Tree ? current_ : rootOf(current_);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        data.dwFileAttributes = FILE_ATTRIBUTE_DIRECTORY;
    result.push_back({path, data.dwFileAttributes, 0, data.ftLastWriteTime});
    return result;
}

bool Panes::openSelectedFile() {
    LRESULT caret = SendMessageA(files_, LB_GETCARETINDEX, 0, 0);
    if (caret < 0 || static_cast<size_t>(caret) >= entries_.size())
        return false;
    const Entry& entry = entries_[static_cast<size_t>(caret)];
    if (!isDirectory(entry.attributes))
        return false;
    return showDirectory(joinPath(current_, entry.name));
}

bool Panes::onFilesCommand(int code) {
    switch (code) {
    case LBN_SETFOCUS:
        focus_ = PaneKind::Files;
        return false;
    case LBN_SELCHANGE:
        return true;
    case LBN_DBLCLK:
        return openSelectedFile();
    default:
        return false;
    }
}

bool Panes::onFilesKey(WPARAM key) {
    if (key == VK_RETURN)
        return openSelectedFile();
    if (key == VK_BACK) {
        std::string root = rootOf(current_);
        if (current_.size() <= root.size())
            return false;
        size_t cut = current_.rfind('\\');
        return showDirectory(cut < root.size() ? root : current_.substr(0, cut));
    }
    return false;
}

bool Panes::onDrivesCommand(int code) {
    if (code == LBN_SETFOCUS) {
        focus_ = PaneKind::Drives;
        return false;
    }
    if (code != LBN_SELCHANGE)
        return false;
    LRESULT index = SendMessageA(drives_, LB_GETCURSEL, 0, 0);
    char name[8] = "";
    if (index == LB_ERR || SendMessageA(drives_, LB_GETTEXTLEN, index, 0) >= static_cast<LRESULT>(sizeof name))
        return false;
    SendMessageA(drives_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(name));
    std::string root = std::string(name) + "\\";
    if (!showDirectory(root)) {
        fillDrives(); // a drive without a medium: keep showing the current one
        return false;
    }
    return true;
}

bool Panes::onTreeNotify(NMHDR* header, LRESULT& result) {
    result = 0;
    switch (header->code) {
    case NM_SETFOCUS:
        focus_ = PaneKind::Tree;
        return false;
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW: {
        auto* view = reinterpret_cast<NMTREEVIEWA*>(header);
        if (view->action & TVE_EXPAND)
            fillTreeChildren(view->itemNew.hItem);
        return false;
    }
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW: {
        if (settingTree_)
            return false;
        auto* view = reinterpret_cast<NMTREEVIEWA*>(header);
        std::string path = treePath(view->itemNew.hItem);
        if (path.empty() || lstrcmpiA(path.c_str(), current_.c_str()) == 0)
            return false;
        return showDirectory(path);
    }
    default:
        return false;
    }
}

} // namespace fmhost
