// German-style number text: a point between groups of three integer digits
// and a comma before the decimals, whatever the user's language.
#pragma once

#include <cstdint>
#include <string>

namespace text {

// Counts of decimals above this one are refused with a message by the glue;
// the rule then gives the whole number without separators.
constexpr int kMaxDecimals = 3;

std::string formatNumber(double value, int decimals);

// The size lines "Byte:\t…", "KB:\t…" and "MB:\t…" of a byte total.
std::string byteLine(std::uint64_t total);
std::string kilobyteLine(std::uint64_t total);
std::string megabyteLine(std::uint64_t total);

} // namespace text
