// A program text from the settings: the program to look for, then its parameters.
#pragma once

#include <string>

namespace ext {

struct ProgramText {
    std::string program;    // up to the first blank
    std::string parameters; // the rest, the blank included; empty without one
};

ProgramText splitProgramText(const std::string& text);

// The found executable followed by the parameters as they were written.
std::string programCommandLine(const std::string& executable, const ProgramText& text);

} // namespace ext
