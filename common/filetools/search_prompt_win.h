// The search prompts of both deliverables and what a confirmed prompt leaves
// behind for the search: the search text, the pattern lists and the
// attribute filter.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/filetools/search_patterns.h"

namespace filetools {

// Process-wide results of the last confirmed prompt.
struct SearchState {
    std::string searchText;                  // display copy: upper case in the helper, as typed in the extension
    std::vector<std::string> searchPatterns; // upper case
    std::vector<std::string> namePatterns{"*"};
    AttributeFilter attributes;
    std::string lastTyped; // the extension's prompt offers it again
};
SearchState& searchState();

// The platform's ANSI upper-casing as a table, for lines and names alike.
const UpperTable& platformUpperTable();
std::string upperCase(const std::string& s);

enum class PromptKind {
    HelperWithSelection, // dialog 146: search text and file selection
    HelperSearchOnly,    // dialog 147
    Extension,           // dialog 103, remembers the last text in memory
};

struct PromptRequest {
    PromptKind kind;
    std::uint32_t titleId;
    std::uint32_t hintId; // 0: empty hint
    std::string keyA;     // helper: INI keys of the two fields in "Suchbegriffe" of "Quorvin.ini"
    std::string keyB;
};

inline constexpr int kHelperPromptWithSelection = 146;
inline constexpr int kHelperPromptSearchOnly = 147;
inline constexpr int kExtensionPrompt = 103;

// Shows the prompt; true when confirmed with the search button. The pending
// messages are dispatched after a confirmation, so the prompt is gone from
// the screen when the search starts.
bool promptForSearch(HWND parent, const PromptRequest& request);

} // namespace filetools
