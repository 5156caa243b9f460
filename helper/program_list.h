// The helper's eight configured programs: their settings keys and defaults,
// how a configured entry resolves, and the check of the typed list on OK.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace helper {

inline constexpr int kProgramCount = 8;
inline constexpr const char* kProgramSection = "Programme";
inline constexpr const char* kMenuSection = "Menu";
inline constexpr const char* kMenuStyleKey = "Art";
// A configured entry fits a path buffer; the dialog reads at most this many characters back.
inline constexpr std::size_t kConfiguredSize = 260;
inline constexpr std::size_t kTypedSize = 256;

// "Programm_1" .. "Programm_8".
std::string programKey(int index);
// Notepad, Write, WinWord, Excel, then "-".
const char* defaultProgram(int index);

struct ProgramEntry {
    std::string configured; // as typed; "-" an empty slot
    std::string resolved;   // full program path and the typed arguments; "-" when unusable

    bool valid() const { return !resolved.empty() && resolved[0] != '-'; }
};

// The full program path followed by the configured arguments, or nothing when
// the program part cannot be found.
using ProgramResolver = std::function<std::optional<std::string>(const std::string& configured)>;

// An entry starting with "-" stays as it is; one that does not resolve becomes
// "-" and shows empty.
ProgramEntry resolveEntry(const std::string& configured, const ProgramResolver& resolve);

// What the dialog shows for a configured entry.
std::string shownEntry(const std::string& configured);

// The context menu's name of a program: the text after the last backslash.
std::string menuName(const std::string& configured);

// The text up to the first blank.
std::string firstWord(const std::string& entry);

// The typed list on OK: blank or empty entries become "-"; the first entry
// whose program cannot be found stops the check and nothing is stored.
struct ListCheck {
    bool ok = true;
    std::string missingWord;             // set when !ok
    std::vector<std::string> configured; // the entries to store when ok
};
ListCheck checkTypedList(const std::vector<std::string>& typed, const ProgramResolver& resolve);

std::string programNotFoundMessage(const std::string& word);

} // namespace helper
