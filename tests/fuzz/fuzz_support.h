// What several fuzz targets share: the slow wildcard reference and feeding a
// reader its bytes in blocks whose sizes come from the input.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

// Whole-string match by a table of prefix pairs: row[i] tells whether the
// first i text characters match the pattern characters taken so far.
inline bool slowWildcard(std::string_view text, std::string_view pattern) {
    std::vector<char> row(text.size() + 1, 0), next(text.size() + 1);
    row[0] = 1;
    for (char p : pattern) {
        next[0] = p == '*' && row[0];
        for (std::size_t i = 1; i <= text.size(); ++i)
            next[i] = p == '*' ? row[i] || next[i - 1] : (p == '?' || p == text[i - 1]) && row[i - 1];
        row.swap(next);
    }
    return row[text.size()];
}

// reader.feed(data, size, on) until it refuses, then reader.finish(on).
template <class Reader, class On>
void feedInBlocks(Reader& reader, const std::string& bytes, FuzzedDataProvider& sizes, std::size_t maxBlock, On on) {
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t n = std::min(bytes.size() - at, sizes.ConsumeIntegralInRange<std::size_t>(1, maxBlock));
        if (!reader.feed(bytes.data() + at, n, on))
            break;
        at += n;
    }
    reader.finish(on);
}
