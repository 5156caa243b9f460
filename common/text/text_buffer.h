// Copying texts into the fixed-size fields the platform and its records use.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

// Copies as much of text as fits, always terminated; never writes past size.
inline void copyText(char* out, std::size_t size, std::string_view text) {
    if (size == 0)
        return;
    const std::size_t n = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}
