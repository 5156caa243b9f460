// Raw access to the extension's settings file for tests.
#include "tests/win32/support/extension_ini.h"

#include <windows.h>

#include "tests/win32/support/test_files.h"

std::string extensionIniPath() {
    char folder[MAX_PATH] = "";
    GetWindowsDirectoryA(folder, sizeof folder);
    return std::string(folder) + "\\korbinex.ini";
}

void removeExtensionIni() {
    // The INI services cache files; flush before the file goes.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, "korbinex.ini");
    DeleteFileA(extensionIniPath().c_str());
}

void writeExtensionIni(const std::vector<std::string>& lines) {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, "korbinex.ini");
    std::string bytes = "[Einstellungen]\r\n";
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    writeBytes(extensionIniPath(), bytes);
}

std::string readExtensionIniBytes() {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, "korbinex.ini");
    return readBytes(extensionIniPath());
}

std::map<std::string, std::string> extensionIniValues() {
    std::map<std::string, std::string> values;
    const std::string bytes = readExtensionIniBytes();
    bool inSection = false;
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t end = bytes.find('\n', at);
        if (end == std::string::npos)
            end = bytes.size();
        std::string line = bytes.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] == '[') {
            inSection = line == "[Einstellungen]";
            continue;
        }
        const std::size_t eq = line.find('=');
        if (inSection && eq != std::string::npos)
            values[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return values;
}
