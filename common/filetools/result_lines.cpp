// Column compaction, clipboard text, caption and tab stops of the result list.
#include "common/filetools/result_lines.h"

namespace filetools {

std::optional<std::string> removeFirstColumn(std::string_view line) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos)
        return std::nullopt;
    return std::string(line.substr(tab + 1));
}

std::optional<std::string> compactColumns(std::string_view line, bool firstColumnRemoved) {
    const std::size_t firstTab = line.find('\t');
    if (firstTab == std::string_view::npos)
        return std::nullopt;
    std::string s(line);
    const std::size_t start = firstColumnRemoved ? 0 : firstTab + 1;
    bool deleted = false;
    std::string out = s.substr(0, start);
    for (std::size_t i = start; i < s.size(); ++i) {
        if (s[i] != '\t')
            out.push_back(s[i]);
        else if (!deleted)
            deleted = true;
        else
            out.push_back(' ');
    }
    std::string compact;
    compact.reserve(out.size());
    for (char c : out)
        if (!(c == ' ' && !compact.empty() && compact.back() == ' '))
            compact.push_back(c);
    return compact;
}

std::string clipboardText(const std::vector<std::string>& selectedLines) {
    std::string text;
    for (const std::string& line : selectedLines) {
        if (text.size() >= kClipboardGather)
            break;
        text += line;
        text += "\r\n";
        // Whatever a line holds, the text and its zero byte stay in the block.
        if (text.size() > kClipboardBlock - 1)
            text.resize(kClipboardBlock - 1);
    }
    return text;
}

CaptionParts helperCaptionParts(ResultMode mode) {
    switch (mode) {
    case ResultMode::ContentSearch:
        return {15026, 15010, true};
    case ResultMode::EqualFiles:
        return {15026, 15012, false};
    case ResultMode::NameSearch:
        return {15026, 15034, true};
    case ResultMode::PasteIfChanged:
        return {15026, 15136, true};
    case ResultMode::SizeSum:
        break;
    }
    return {15026, 0, false};
}

std::string composeCaption(std::string_view base, std::string_view modeText, bool quote, std::string_view searchText) {
    std::string caption(base);
    if (modeText.empty())
        return caption;
    caption += " - (";
    caption += modeText;
    if (quote) {
        caption += " '";
        caption += searchText;
        caption += "'";
    }
    caption += ")";
    return caption;
}

std::vector<int> resultTabStops(int rightEdgePixels, int baseUnitX, bool helper) {
    const int x = baseUnitX > 0 ? rightEdgePixels * 4 / baseUnitX / 2 : 0;
    std::vector<int> stops = {10, 20, 30};
    const int first = 20;
    const int step = 20;
    const int later = helper ? 50 : 40; // the helper leaves a wider gap before the fifth stop
    stops.push_back(x + first);
    for (int i = 0; i < 6; ++i)
        stops.push_back(x + later + i * step);
    return stops;
}

} // namespace filetools
