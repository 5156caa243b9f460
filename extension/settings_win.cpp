// Reading and writing the extension's settings file with the platform's INI
// services; a bare file name puts it in the Windows directory.
#include "extension/settings_win.h"

#include <windows.h>

#include "common/text/language_win.h"
#include "extension/extension_state_win.h"
#include "extension/program_resolver_win.h"

namespace ext {

namespace {

constexpr const char* kFile = "korbinex.ini";
constexpr const char* kSection = "Einstellungen";

// The template's items 1 to 8 name the programs of a first run.
std::array<std::string, kProgramSlots> templateProgramNames(HMENU menuTemplate) {
    std::array<std::string, kProgramSlots> names;
    for (std::size_t n = 0; n < kProgramSlots; ++n) {
        char name[100] = "";
        if (menuTemplate != nullptr)
            GetMenuStringA(menuTemplate, static_cast<UINT>(n + 1), name, sizeof name, MF_BYCOMMAND);
        names[n] = name[0] != '\0' ? name : "-";
    }
    return names;
}

} // namespace

std::string IniSettingsStore::readText(const char* key, const char* fallback) {
    char buffer[kSettingsTextBuffer] = "";
    GetPrivateProfileStringA(kSection, key, fallback, buffer, sizeof buffer, kFile);
    return buffer;
}

// Read as text: GetPrivateProfileIntA is documented to give 0 for negative
// values on some systems, and Pa keeps -1 for one row.
int IniSettingsStore::readInt(const char* key, int fallback) {
    return profileInt(readText(key, ""), fallback);
}

void IniSettingsStore::writeText(const char* key, const std::string& value) {
    WritePrivateProfileStringA(kSection, key, value.c_str(), kFile);
}

void IniSettingsStore::deleteKey(const char* key) {
    WritePrivateProfileStringA(kSection, key, nullptr, kFile);
}

void loadSettings() {
    ExtensionState& state = extensionState();
    IniSettingsStore store;
    SettingsReading reading =
        readSettings(store, text::chosenLanguage(), templateProgramNames(state.menuTemplate), resolveProgram);
    state.settings = std::move(reading.settings);
    state.commandLines = std::move(reading.commandLines);
}

void saveSettings() {
    IniSettingsStore store;
    writeSettings(store, extensionState().settings);
}

void savePrograms() {
    IniSettingsStore store;
    writePrograms(store, extensionState().settings);
}

} // namespace ext
