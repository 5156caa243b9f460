// Which buttons the extension adds to the File Manager's toolbar, with which
// image, and the geometry of the floating palette that holds the same buttons.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "extension/settings.h"

namespace ext {

// Image of a program without a picture of ours: its own first icon.
constexpr int kOwnIcon = -1;

struct ToolbarButton {
    int command; // 0: separator
    int image;   // bitmap resource, kOwnIcon, or 0 for a separator
};

// The picture of a known program, by its path (the command line up to the
// first blank, upper-cased, searched for known names); 0 for any other.
int programImage(const std::string& commandLine);

// The toolbar from the settings and the resolved command lines: a separator,
// the programs, FTP, then the search, properties, info and settings groups,
// each after a separator that is there even when its group is empty.
std::vector<ToolbarButton> planToolbar(const ExtensionSettings& settings,
                                       const std::array<std::string, kProgramSlots>& commandLines);

// The palette: buttons of 23 x 22 pixels overlapping by one, a 3-pixel border
// and an 11-pixel drag strip at the top.
struct PaletteRect {
    int left;
    int top;
    int width;
    int height;
};

// Columns for an arrangement: a row of all buttons for -1 (and any other
// value below 1, which no columns could hold), at most kMaxPaletteColumns.
constexpr int kMaxPaletteColumns = 1024;
int paletteColumns(int arrangement, int buttons);
PaletteRect paletteBar(int columns, int buttons); // left and top 0
PaletteRect paletteButton(int index, int columns);
// The button under a client point, or -1.
int paletteButtonAt(int x, int y, int columns, int buttons);
// A press at client height y grabs the palette to move it.
bool inPaletteDragStrip(int y);

} // namespace ext
