// Reading a tree view of another process (or of this one): every item in
// display order with its depth, label, pictures and open state.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct TreeItemSeen {
    int depth = 0;
    std::string label;
    int image = -1, selectedImage = -1;
    bool open = false;

    bool operator==(const TreeItemSeen&) const = default;
};

// All items, open or not, parents before their children, siblings in order.
std::vector<TreeItemSeen> remoteTreeItems(HWND tree);
// Only the items a user sees (below open parents), in display order.
std::vector<TreeItemSeen> visibleItems(const std::vector<TreeItemSeen>& items);
