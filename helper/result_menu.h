// The result list's context menu: its items, which lines it acts on, and the
// rules of its copy command.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "helper/program_list.h"

namespace helper {

enum ResultMenuCommand : int {
    kMenuDelete = 32771,
    kMenuFirstProgram = 32772, // .. 32779
    kMenuDate = 32780,
    kMenuAttributes = 32781,
    kMenuCopy = 32782,
};

struct MenuItem {
    int id;               // 0: a separator
    std::uint32_t textId; // 0: the text below
    std::string text;
};

// Programs with a valid resolved entry first, then date, attributes, delete and copy.
std::vector<MenuItem> resultMenuPlan(const std::vector<ProgramEntry>& programs);

// The path of a result line: up to the first tab, or after a leading tab.
std::string linePath(const std::string& line);
// A path such as C:\... that the menu's commands act on.
bool isDrivePath(const std::string& path);

// The copy target needs a drive and a directory: ":" second and "\" third.
bool copyTargetValid(const std::string& target);
// The target cut before its first, second, ... backslash, then the whole target.
std::vector<std::string> targetAndParents(const std::string& target);
// The target followed by the source's file name with its backslash.
std::string copyDestination(const std::string& target, const std::string& source);

// The delete question: 15124 for several lines, 15125 for one.
std::uint32_t deleteQuestionId(std::size_t selected);

} // namespace helper
