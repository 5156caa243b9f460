// What the helper's tools share: the run they serve and the entry each tool
// offers to the dispatch table. A tool lives in its own file and joins the
// table in tool_table_win.cpp with one row.
#pragma once

#include <cstddef>
#include <string>

#include "helper/command_line.h"

namespace helper {

// Settings file of the helper, a bare name: the INI services place it in the
// Windows directory.
inline constexpr const char* kSettingsFile = "Quorvin.ini";
// Section where the prompts remember their last input under the prompt keys.
inline constexpr const char* kPromptSection = "Suchbegriffe";

struct ToolRun {
    char letter;
    std::string listPath; // empty when the helper got no list file
    std::string promptKeyA;
    std::string promptKeyB;
};

using ToolFunction = ToolEnd (*)(const ToolRun& run);

struct ToolSlot {
    char letter;
    ToolFunction run;
};

// The dispatch table, ended by a row with letter 0.
extern const ToolSlot kToolTable[];

// The tool for a letter, or nullptr while that letter has none.
ToolFunction findTool(const ToolSlot* table, char letter);

} // namespace helper
