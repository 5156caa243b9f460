// The size tree dialog on the platform: the tree control with its font and
// pictures, the folders found by enumeration, and the totals written into the
// labels. The control is drawn only about once a second while the work runs:
// a repaint per node would cost more than the walk itself.
#include "common/filetools/size_tree_win.h"

#include <commctrl.h>

#include "common/filetools/search_prompt_win.h"
#include "common/filetools/selection_list_win.h"
#include "common/filetools/walk_win.h"
#include "common/text/language_win.h"
#include "common/filetools/tool_progress_win.h"
#include "resources/size_tree_ids.h"

namespace filetools {

namespace {

constexpr int kWalkClip = 131;
constexpr int kImageWidth = 19, kImageHeight = 16;
constexpr int kFileImage = 0, kFolderImage = 2; // the selected picture is the next one
constexpr DWORD kPumpIntervalMs = 5;

int compareLabels(std::string_view a, std::string_view b) {
    return lstrcmpiA(std::string(a).c_str(), std::string(b).c_str());
}

// Created once per process and kept: every size tree uses it.
HFONT fixedFont() {
    static HFONT font = CreateFontA(10, 8, 0, 0, 100, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Fixedsys");
    return font;
}

HIMAGELIST loadImages() {
    HIMAGELIST list = ImageList_Create(kImageWidth, kImageHeight, ILC_COLOR4 | ILC_MASK, 4, 0);
    for (int id : {IDB_SIZE_FILE, IDB_SIZE_FILE_SELECTED, IDB_SIZE_FOLDER, IDB_SIZE_FOLDER_SELECTED}) {
        HBITMAP picture = LoadBitmapA(resourceModule(), MAKEINTRESOURCEA(id));
        ImageList_AddMasked(list, picture, RGB(255, 255, 255));
        DeleteObject(picture);
    }
    return list;
}

bool isFolderEntry(const WIN32_FIND_DATAA& data) {
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace

SizeTreeDialog::SizeTreeDialog(std::string listPath) : listPath_(std::move(listPath)), tree_(compareLabels) {}

SizeTreeDialog::~SizeTreeDialog() {
    if (images_ != nullptr)
        ImageList_Destroy(images_);
}

INT_PTR SizeTreeDialog::run(HWND owner) {
    ensureCommonControls();
    static const bool treeClasses = [] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)treeClasses;
    return runModal(resourceModule(), IDD_SIZE_TREE, owner);
}

void SizeTreeDialog::setUp() {
    centreOnDesktop(window());
    SetWindowTextA(window(), text::lookupText(15033));
    ShowWindow(GetDlgItem(window(), IDOK), SW_HIDE);
    ShowWindow(window(), SW_SHOW);
    startToolAnimation(GetDlgItem(window(), IDC_SIZE_TREE_ANIMATION), kWalkClip);
    view_ = GetDlgItem(window(), IDC_SIZE_TREE_VIEW);
    SendMessageA(view_, WM_SETFONT, reinterpret_cast<WPARAM>(fixedFont()), TRUE);
    images_ = loadImages();
    SendMessageA(view_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images_));
    UpdateWindow(window());
    SendMessageA(view_, WM_SETREDRAW, FALSE, 0);
}

bool SizeTreeDialog::onInit() {
    setUp();
    build();
    if (!cancelled_) {
        sum();
        collapse();
    }
    finish();
    return false; // the focus is on OK already
}

void SizeTreeDialog::finish() {
    SendMessageA(view_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(view_, nullptr, TRUE);
    showToolFinished(window(), GetDlgItem(window(), IDC_SIZE_TREE_ANIMATION));
    finished_ = true;
}

bool SizeTreeDialog::onCommand(int id, int) {
    if ((id == IDOK || id == IDCANCEL) && finished_) {
        end(id);
        return true;
    }
    return false;
}

bool SizeTreeDialog::cancelledByEscape() {
    // Asking for the queue is a round trip to the window server under Wine
    // and costs more than reading a directory entry: the queue is looked at
    // every few milliseconds, which keeps the dialog just as responsive.
    const DWORD now = GetTickCount();
    if (cancelled_ || now - lastPump_ < kPumpIntervalMs)
        return cancelled_;
    lastPump_ = now;
    if (pumpMessagesSawEscape())
        cancelled_ = true;
    return cancelled_;
}

void SizeTreeDialog::refresh() {
    SendMessageA(view_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(view_, nullptr, TRUE);
    UpdateWindow(view_);
    SendMessageA(view_, WM_SETREDRAW, FALSE, 0);
}

void SizeTreeDialog::refreshIfDue() {
    if (refreshDue())
        refresh();
}

HTREEITEM SizeTreeDialog::insert(int node, HTREEITEM parent, HTREEITEM after) {
    const SizeTree::Node& n = tree_.node(node);
    const int image = n.folder ? kFolderImage : kFileImage;
    TVINSERTSTRUCTA item{};
    item.hParent = parent;
    item.hInsertAfter = after;
    item.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    item.item.pszText = const_cast<char*>(n.path.c_str());
    item.item.iImage = image;
    item.item.iSelectedImage = image + 1;
    item.item.lParam = node;
    HTREEITEM handle =
        reinterpret_cast<HTREEITEM>(SendMessageA(view_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (items_.size() <= static_cast<std::size_t>(node)) {
        items_.resize(static_cast<std::size_t>(node) + 1);
        shownOpen_.resize(static_cast<std::size_t>(node) + 1);
    }
    items_[static_cast<std::size_t>(node)] = handle;
    return handle;
}

void SizeTreeDialog::setOpen(int node, bool open) {
    const std::size_t i = static_cast<std::size_t>(node);
    if (shownOpen_[i] == open || tree_.node(node).children.empty())
        return;
    SendMessageA(view_, TVM_EXPAND, open ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(items_[i]));
    shownOpen_[i] = open;
}

void SizeTreeDialog::build() {
    SelectionListReader reader;
    if (!openSelectionList(reader, listPath_))
        return;
    std::string line;
    while (!cancelled_ && reader.nextLine(line))
        addTopLevel(line);
    refresh();
}

void SizeTreeDialog::addTopLevel(const std::string& line) {
    const bool root = isDriveRootLine(line);
    const std::string label = root ? line + "*" : line;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(label.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return; // an entry that does not exist gets no node
    FindClose(find);
    const bool folder = root || isFolderEntry(data);
    const int node = tree_.addTopLevel(label, folder, root, data.nFileSizeLow);
    const int previous = tree_.previousTopLevel(node);
    insert(node, TVI_ROOT, previous < 0 ? TVI_FIRST : items_[static_cast<std::size_t>(previous)]);
    if (folder)
        addSubfolders(node);
}

void SizeTreeDialog::addSubfolders(int node) {
    const SearchState& state = searchState();
    const std::string folder = tree_.folderOf(node);
    std::vector<std::string> found;
    SizeTotals own;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        if (cancelledByEscape())
            break;
        if (data.cFileName[0] == '.')
            continue;
        if (isFolderEntry(data)) {
            found.push_back(folder + "\\" + data.cFileName);
            continue;
        }
        // The folder's own files are counted from this one reading of it:
        // the sum phase then only adds up, and no entry is read twice.
        const auto attributes = static_cast<std::uint8_t>(data.dwFileAttributes & 0x7F);
        if (sizeCounts(upperCase(data.cFileName), attributes, state.searchPatterns, &state.attributes))
            own.addFile(data.nFileSizeLow);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    if (!cancelled_)
        tree_.setOwn(node, own);
    if (cancelled_ || found.empty())
        return;
    const std::vector<int> children = tree_.addChildren(node, std::move(found));
    const HTREEITEM parent = items_[static_cast<std::size_t>(node)];
    for (int child : children)
        insert(child, parent, TVI_LAST);
    // The first entry stands open so that the tree is seen to grow.
    const int first = tree_.firstTopLevel();
    tree_.expand(first);
    setOpen(first, true);
    refreshIfDue();
    for (int child : children) {
        if (cancelled_)
            return;
        addSubfolders(child);
    }
}

void SizeTreeDialog::sum() {
    // Each folder was read once while the tree was built; its own files are
    // summed bottom-up here, and the labels come out as if every node's
    // subtree had been walked on its own.
    const char* filesText = text::lookupText(15027);
    const std::vector<int> entries = tree_.topLevel();
    for (int top : entries) {
        if (cancelledByEscape())
            return; // Escape: this entry and the ones after it keep their paths
        tree_.sumSubtree(top);
        for (int node : tree_.displayOrder(top)) {
            const SizeTree::Node& n = tree_.node(node);
            const std::string label = sizeLabel(n.path, n.total, filesText);
            TVITEMA item{};
            item.mask = TVIF_TEXT;
            item.hItem = items_[static_cast<std::size_t>(node)];
            item.pszText = const_cast<char*>(label.c_str());
            SendMessageA(view_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        }
        refreshIfDue();
    }
}

void SizeTreeDialog::collapse() {
    const std::vector<bool> open = tree_.openAfterCollapse();
    // Closing first and then opening bottom-up: every node opened lies below
    // a closed one, so the control never lays out more than is seen.
    for (int top : tree_.topLevel())
        if (!open[static_cast<std::size_t>(top)])
            setOpen(top, false);
    const std::vector<int> entries = tree_.topLevel();
    for (auto top = entries.rbegin(); top != entries.rend(); ++top) {
        const std::vector<int> order = tree_.displayOrder(*top);
        for (auto node = order.rbegin(); node != order.rend(); ++node)
            if (open[static_cast<std::size_t>(*node)])
                setOpen(*node, true);
    }
}

} // namespace filetools
