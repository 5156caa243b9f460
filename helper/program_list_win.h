// The helper's program list in "Quorvin.ini": read and resolved at every
// start and after saving, written from the program list dialog.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "helper/program_list.h"

namespace helper {

// The eight entries, index 0 for program 1.
std::vector<ProgramEntry>& programList();

// The platform's program search on the first word of an entry.
std::optional<std::string> resolveWithPlatform(const std::string& configured);

void readProgramList();
void writeProgramList(const std::vector<std::string>& configured);

// The menu style: only stored, never read back (0 at every start).
int& menuStyle();
void storeMenuStyle(int style);

} // namespace helper
