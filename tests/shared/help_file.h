// A small reader of WinHelp 3.1 files (.hlp), enough for the tests to check
// what the help compiler wrote: the internal directory, the title, the topics
// with their text and the keyword index.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace helpfile {

struct Topic {
    std::uint32_t offset = 0; // what keywords and contexts point at
    std::string title;
    std::string text; // the paragraphs' text, one line each
};

struct HelpFile {
    std::vector<std::string> internalFiles;
    std::string title;
    std::uint32_t contentsOffset = 0;
    std::vector<Topic> topics;
    std::map<std::string, std::uint32_t> keywords; // Windows-1252 keyword -> topic offset

    const Topic* topicAt(std::uint32_t offset) const;
};

// Parses the whole file; nullopt with error set when it is not sound.
std::optional<HelpFile> readHelpFile(const std::string& bytes, std::string& error);

// The file's bytes, or "" when it cannot be read.
std::string fileBytes(const std::string& path);

// The lines of a keyword list the build collected from the code.
std::vector<std::string> keywordList(const std::string& path);

} // namespace helpfile
