// Splitting program texts into program and parameters.
#include "extension/program_text.h"

namespace ext {

ProgramText splitProgramText(const std::string& text) {
    const std::size_t blank = text.find(' ');
    if (blank == std::string::npos)
        return {text, ""};
    return {text.substr(0, blank), text.substr(blank)};
}

std::string programCommandLine(const std::string& executable, const ProgramText& text) {
    return executable + text.parameters;
}

} // namespace ext
