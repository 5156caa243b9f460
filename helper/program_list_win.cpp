// The program list on the platform's INI services and program search.
#include "helper/program_list_win.h"

#include <windows.h>

#include "extension/program_resolver_win.h"
#include "helper/tools.h"

namespace helper {

std::vector<ProgramEntry>& programList() {
    static std::vector<ProgramEntry> list(kProgramCount, ProgramEntry{"-", "-"});
    return list;
}

std::optional<std::string> resolveWithPlatform(const std::string& configured) {
    // The shell's search is the same for both deliverables.
    return ext::resolveProgram(configured);
}

void readProgramList() {
    for (int i = 1; i <= kProgramCount; ++i) {
        char value[kConfiguredSize] = "";
        GetPrivateProfileStringA(kProgramSection, programKey(i).c_str(), defaultProgram(i), value, sizeof value,
                                 kSettingsFile);
        programList()[i - 1] = resolveEntry(value, resolveWithPlatform);
    }
}

void writeProgramList(const std::vector<std::string>& configured) {
    for (int i = 1; i <= kProgramCount && i <= static_cast<int>(configured.size()); ++i)
        WritePrivateProfileStringA(kProgramSection, programKey(i).c_str(), configured[i - 1].c_str(), kSettingsFile);
}

int& menuStyle() {
    static int style = 0;
    return style;
}

void storeMenuStyle(int style) {
    menuStyle() = style;
    WritePrivateProfileStringA(kMenuSection, kMenuStyleKey, std::to_string(style).c_str(), kSettingsFile);
}

} // namespace helper
