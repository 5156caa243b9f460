// What the result dialog does with its lines: removing the first column,
// compacting the columns, the clipboard text of the selected lines, its
// caption and its tab stops.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace filetools {

// The tools that fill the result dialog.
enum class ResultMode : int {
    ContentSearch = 0,
    EqualFiles = 1,
    NameSearch = 2,
    SizeSum = 3,
    PasteIfChanged = 5,
};

// "<": the text after the first TAB, or nothing when the line has no TAB
// (separator lines stay as they are).
std::optional<std::string> removeFirstColumn(std::string_view line);

// "<<": from the character after the first TAB (from the start once the first
// column was removed) the first TAB is deleted and every further TAB becomes a
// space; then every run of spaces in the whole line shrinks to one space.
// Nothing when the line has no TAB.
std::optional<std::string> compactColumns(std::string_view line, bool firstColumnRemoved);

// The clipboard block and the bound on what is gathered into it.
constexpr std::size_t kClipboardBlock = 33000;
constexpr std::size_t kClipboardGather = 32000;

// Each line followed by CR LF, appended while fewer than kClipboardGather
// characters are gathered; a long last line is cut so that the text and its
// terminator fit the block.
std::string clipboardText(const std::vector<std::string>& selectedLines);

// Text ids of the caption: the base text and the mode text (0 for none);
// whether the search text is quoted.
struct CaptionParts {
    std::uint32_t baseId;
    std::uint32_t modeId;
    bool quoteSearchText;
};
CaptionParts helperCaptionParts(ResultMode mode);
// "<base> - (<mode>[ '<search text>'])"; the mode text missing gives the base alone.
std::string composeCaption(std::string_view base, std::string_view modeText, bool quote, std::string_view searchText);

// The ten tab stops of the list in modes other than 0, from the dialog's right
// screen edge in pixels and the horizontal dialog base unit.
std::vector<int> resultTabStops(int rightEdgePixels, int baseUnitX, bool helper);

} // namespace filetools
