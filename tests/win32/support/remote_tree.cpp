// The items are read through a buffer placed in the owning process: the tree
// view writes the label there, and it is copied back.
#include "tests/win32/support/remote_tree.h"

#include <commctrl.h>

namespace {

constexpr SIZE_T kTextSize = 512;

class RemoteBuffer {
public:
    explicit RemoteBuffer(HWND window) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_ != nullptr)
            memory_ = static_cast<char*>(VirtualAllocEx(process_, nullptr, sizeof(TVITEMA) + kTextSize,
                                                        MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    }
    ~RemoteBuffer() {
        if (memory_ != nullptr)
            VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
        if (process_ != nullptr)
            CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool read(HWND tree, HTREEITEM handle, TreeItemSeen& seen) const {
        if (memory_ == nullptr)
            return false;
        TVITEMA item{};
        item.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
        item.hItem = handle;
        item.stateMask = TVIS_EXPANDED;
        item.pszText = memory_ + sizeof item;
        item.cchTextMax = static_cast<int>(kTextSize);
        char text[kTextSize] = "";
        if (!WriteProcessMemory(process_, memory_, &item, sizeof item, nullptr) ||
            !WriteProcessMemory(process_, memory_ + sizeof item, text, 1, nullptr))
            return false;
        if (!SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(memory_)))
            return false;
        if (!ReadProcessMemory(process_, memory_, &item, sizeof item, nullptr) ||
            !ReadProcessMemory(process_, memory_ + sizeof item, text, kTextSize, nullptr))
            return false;
        text[kTextSize - 1] = '\0';
        seen.label = text;
        seen.image = item.iImage;
        seen.selectedImage = item.iSelectedImage;
        seen.open = (item.state & TVIS_EXPANDED) != 0;
        return true;
    }

private:
    HANDLE process_ = nullptr;
    char* memory_ = nullptr;
};

HTREEITEM next(HWND tree, HTREEITEM item, UINT how) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
}

void collect(HWND tree, const RemoteBuffer& buffer, HTREEITEM first, int depth, std::vector<TreeItemSeen>& out) {
    for (HTREEITEM item = first; item != nullptr; item = next(tree, item, TVGN_NEXT)) {
        TreeItemSeen seen;
        seen.depth = depth;
        buffer.read(tree, item, seen);
        out.push_back(seen);
        collect(tree, buffer, next(tree, item, TVGN_CHILD), depth + 1, out);
    }
}

} // namespace

std::vector<TreeItemSeen> remoteTreeItems(HWND tree) {
    RemoteBuffer buffer(tree);
    std::vector<TreeItemSeen> items;
    collect(tree, buffer, next(tree, nullptr, TVGN_ROOT), 0, items);
    return items;
}

std::vector<TreeItemSeen> visibleItems(const std::vector<TreeItemSeen>& items) {
    std::vector<TreeItemSeen> seen;
    int hiddenBelow = -1; // depth of a closed item whose children are skipped
    for (const TreeItemSeen& item : items) {
        if (hiddenBelow >= 0 && item.depth > hiddenBelow)
            continue;
        hiddenBelow = item.open ? -1 : item.depth;
        seen.push_back(item);
    }
    return seen;
}
