// The settings file "korbinex.ini" through the platform's INI services.
#pragma once

#include "extension/settings.h"

namespace ext {

// Section "Einstellungen" of "korbinex.ini" in the Windows directory.
class IniSettingsStore : public SettingsStore {
public:
    std::string readText(const char* key, const char* fallback) override;
    int readInt(const char* key, int fallback) override;
    void writeText(const char* key, const std::string& value) override;
    void deleteKey(const char* key) override;
};

// Reads the settings into the extension's state (load event); may rewrite the file.
void loadSettings();

// Write the state's settings back (the settings and programs dialogs' OK).
void saveSettings();
void savePrograms();

} // namespace ext
