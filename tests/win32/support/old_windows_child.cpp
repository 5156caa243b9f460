// Running a test program's checks in a child that Wine takes for Windows 3.10.
#include "tests/win32/support/old_windows_child.h"

#include <windows.h>

#include <cstdlib>
#include <string>

#include "tests/win32/support/remote_window.h"

namespace {

constexpr const char* kChildVariable = "KORB_OLD_WINDOWS_CHILD";

std::string ownProgram() {
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    return self;
}

} // namespace

bool inOldWindowsChild() {
    return std::getenv(kChildVariable) != nullptr;
}

bool runChecksOnOldWindows(const char* gtestFilter) {
    const std::string self = ownProgram();
    const std::string key = "Software\\Wine\\AppDefaults\\" + self.substr(self.find_last_of("\\/") + 1);
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS)
        return false;
    RegSetValueExA(handle, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("win31"), 6);
    RegCloseKey(handle);
    SetEnvironmentVariableA(kChildVariable, "1");
    ChildProcess child("\"" + self + "\" --gtest_filter=" + gtestFilter);
    SetEnvironmentVariableA(kChildVariable, nullptr);
    const bool ended = child.started() && child.wait(240000);
    RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
    if (!ended)
        child.kill();
    return ended && child.exitCode() == 0;
}
