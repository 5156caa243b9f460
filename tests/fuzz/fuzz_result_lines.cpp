// The result list's "<" and "<<" against a plain restatement of their rule,
// and the clipboard text's bound, over arbitrary lines.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdlib>

#include "common/filetools/result_lines.h"

using namespace filetools;

namespace {

std::optional<std::string> slowCompact(const std::string& line, bool firstRemoved) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos)
        return std::nullopt;
    std::string head = firstRemoved ? "" : line.substr(0, tab + 1), rest = line.substr(head.size());
    const std::size_t second = rest.find('\t');
    if (second != std::string::npos)
        rest.erase(second, 1);
    for (char& c : rest)
        c = c == '\t' ? ' ' : c;
    std::string all = head + rest;
    all.erase(std::unique(all.begin(), all.end(), [](char a, char b) { return a == ' ' && b == ' '; }), all.end());
    return all;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const bool firstRemoved = in.ConsumeBool();
    std::vector<std::string> lines;
    std::size_t total = 0;
    while (in.remaining_bytes() > 0) {
        std::string line = in.ConsumeRandomLengthString(2000);
        if (in.ConsumeBool()) // long lines without going through the fuzzer's length limit
            line.append(in.ConsumeIntegralInRange<std::size_t>(0, 40000), '\t');
        total += line.size() + 2;
        const std::optional<std::string> removed = removeFirstColumn(line);
        if (removed.has_value() != (line.find('\t') != std::string::npos) ||
            (removed && line.size() - removed->size() != line.find('\t') + 1))
            std::abort();
        if (compactColumns(line, firstRemoved) != slowCompact(line, firstRemoved))
            std::abort();
        lines.push_back(std::move(line));
    }
    const std::string clip = clipboardText(lines);
    if (clip.size() > kClipboardBlock - 1 || (total <= kClipboardGather && clip.size() != total))
        std::abort();
    return 0;
}
