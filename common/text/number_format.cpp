// German-style number formatting, walking the fixed-point text from its end.
#include "common/text/number_format.h"

#include <algorithm>
#include <cstdio>

namespace text {

namespace {

// Fixed-point text with "." as the decimal mark; snprintf in the "C" locale
// would be locale-dependent, so the mark is normalised afterwards.
std::string fixedPoint(double value, int decimals) {
    if (decimals < 1 || decimals > kMaxDecimals)
        decimals = 0;
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string s = buffer;
    if (decimals > 0) {
        // The only non-digit past the sign is the decimal mark.
        for (std::size_t i = 1; i < s.size(); ++i)
            if (s[i] < '0' || s[i] > '9')
                s[i] = '.';
    }
    return s;
}

} // namespace

std::string formatNumber(double value, int decimals) {
    const std::string s = fixedPoint(value, decimals);
    if (s.empty())
        return s;
    std::string built;
    built.reserve(s.size() + s.size() / 3 + 1);
    int counter = decimals == 0 ? 0 : -1;
    bool inIntegerPart = false;
    for (std::size_t pos = s.size() - 1; pos >= 1; --pos) {
        char c = s[pos];
        if (c == '.') {
            c = ',';
            inIntegerPart = true;
        }
        if (inIntegerPart || decimals == 0)
            ++counter;
        built += c;
        if (counter == 3 && s[pos - 1] != '-') {
            built += '.';
            counter = 0;
        }
    }
    built += s[0];
    std::reverse(built.begin(), built.end());
    return built;
}

std::string byteLine(std::uint64_t total) {
    return "Byte:\t" + formatNumber(static_cast<double>(total), 0);
}

std::string kilobyteLine(std::uint64_t total) {
    return "KB:\t" + formatNumber(static_cast<double>(total / 1024), 0);
}

std::string megabyteLine(std::uint64_t total) {
    return "MB:\t" + formatNumber(static_cast<double>(total) / 1048576.0, 2);
}

} // namespace text
