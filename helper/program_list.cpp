// Rules of the helper's program list.
#include "helper/program_list.h"

namespace helper {

std::string programKey(int index) {
    return "Programm_" + std::string(1, static_cast<char>('0' + index));
}

const char* defaultProgram(int index) {
    static const char* const defaults[] = {"Notepad", "Write", "WinWord", "Excel"};
    return index >= 1 && index <= 4 ? defaults[index - 1] : "-";
}

ProgramEntry resolveEntry(const std::string& configured, const ProgramResolver& resolve) {
    if (!configured.empty() && configured[0] == '-')
        return {configured, configured};
    if (const auto found = resolve(configured))
        return {configured, *found};
    return {"", "-"};
}

std::string shownEntry(const std::string& configured) {
    return configured == "-" ? std::string() : configured;
}

std::string menuName(const std::string& configured) {
    const std::size_t slash = configured.rfind('\\');
    return slash == std::string::npos ? configured : configured.substr(slash + 1);
}

std::string firstWord(const std::string& entry) {
    return entry.substr(0, entry.find(' '));
}

ListCheck checkTypedList(const std::vector<std::string>& typed, const ProgramResolver& resolve) {
    ListCheck check;
    for (const std::string& entry : typed) {
        if (entry.empty() || static_cast<unsigned char>(entry[0]) < '!') {
            check.configured.push_back("-");
            continue;
        }
        const std::string word = firstWord(entry);
        if (!resolve(word)) {
            check.ok = false;
            check.missingWord = word;
            check.configured.clear();
            return check;
        }
        check.configured.push_back(entry);
    }
    return check;
}

std::string programNotFoundMessage(const std::string& word) {
    return "Das Programm '" + word + "' kann nicht gefunden werden !";
}

} // namespace helper
