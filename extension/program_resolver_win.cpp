// Program resolution through FindExecutableA, as the shell finds programs.
#include "extension/program_resolver_win.h"

#include <windows.h>
#include <shellapi.h>

#include "extension/program_text.h"

namespace ext {

std::optional<std::string> resolveProgram(const std::string& programText) {
    const ProgramText text = splitProgramText(programText);
    // No path the platform can start is that long; the shell's search has
    // fixed buffers of that size.
    if (text.program.empty() || text.program.size() >= MAX_PATH)
        return std::nullopt;
    char found[MAX_PATH] = "";
    const auto result = reinterpret_cast<INT_PTR>(FindExecutableA(text.program.c_str(), "", found));
    if (result <= 32 || found[0] == '\0')
        return std::nullopt;
    return programCommandLine(found, text);
}

} // namespace ext
