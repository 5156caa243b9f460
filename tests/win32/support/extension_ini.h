// The extension's settings file as the tests see it: raw bytes in the Windows
// directory, written and read without the INI services the extension uses.
#pragma once

#include <map>
#include <string>
#include <vector>

// Full path of "korbinex.ini" in the Windows directory.
std::string extensionIniPath();

void removeExtensionIni();

// Writes "[Einstellungen]" and the given "key=value" lines (CP1252 bytes).
void writeExtensionIni(const std::vector<std::string>& lines);

// The file's bytes; empty when it does not exist.
std::string readExtensionIniBytes();

// key -> value of the section "Einstellungen", from the raw bytes.
std::map<std::string, std::string> extensionIniValues();

// Removes the file when created and again when destroyed, so each test starts
// from a first run and leaves nothing behind.
class ExtensionIniScope {
public:
    ExtensionIniScope() { removeExtensionIni(); }
    ~ExtensionIniScope() { removeExtensionIni(); }
    ExtensionIniScope(const ExtensionIniScope&) = delete;
    ExtensionIniScope& operator=(const ExtensionIniScope&) = delete;
};
