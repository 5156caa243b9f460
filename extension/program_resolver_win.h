// Finding the executable of a program text with the platform's program search.
#pragma once

#include <optional>
#include <string>

namespace ext {

// The found executable followed by the text's parameters; nothing when the
// program part cannot be found.
std::optional<std::string> resolveProgram(const std::string& programText);

} // namespace ext
