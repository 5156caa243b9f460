// Number formatting into a caller's fixed buffer, with the message for an
// unsupported count of decimals.
#pragma once

#include <cstddef>

namespace text {

// Writes the German-style text into out (cut to fit, always terminated).
void formatNumber(char* out, std::size_t outSize, double value, int decimals);

} // namespace text
