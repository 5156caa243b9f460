// The "&Extra" menu as a plan of items and separators, built from the settings
// at load, and which items are grayed for the current selection.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "extension/settings.h"

namespace ext {

struct MenuEntry {
    int command; // 0: a separator
    std::string text;

    bool operator==(const MenuEntry&) const = default;
};

// Program slots appear only when their program was resolved (a command line
// exists); function texts that begin with "-" leave their item out.
std::vector<MenuEntry> planMenu(const ExtensionSettings& settings,
                                const std::array<std::string, kProgramSlots>& commandLines, unsigned language);

// The items that work on single files: grayed unless the selection holds only files.
constexpr int kFileOnlyCommands[] = {1, 2, 3, 4, 5, 6, 7, 8, 10};

constexpr std::uint8_t kAttributeVolume = 8;
constexpr std::uint8_t kAttributeDirectory = 16;
constexpr int kFocusDirectory = 1; // the host's FMFOCUS_DIR
constexpr int kFocusSearch = 4;    // FMFOCUS_SEARCH

// True when the focused pane carries a selection (a file list or search
// results) with at least one entry and none of the entries is a directory or
// volume label. attributesOf(i) asks the host for entry i, in order; the scan
// stops at the first directory.
bool selectionHoldsOnlyFiles(int focus, unsigned count, const std::function<std::uint8_t(unsigned)>& attributesOf);

} // namespace ext
