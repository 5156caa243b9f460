// The child is marked by an environment variable; its version comes from
// Wine's per-program settings, removed again when it has ended.
#include "tests/win32/support/old_windows.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "tests/win32/support/remote_window.h"

namespace {

constexpr const char* kChildVariable = "KORB_OLD_WINDOWS_CHILD";

} // namespace

bool inOldWindowsChild() {
    return std::getenv(kChildVariable) != nullptr;
}

std::string runInOldWindowsChild(const char* gtestFilter) {
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    const char* name = std::strrchr(self, '\\');
    const std::string key = std::string("Software\\Wine\\AppDefaults\\") + (name ? name + 1 : self);
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS)
        return "the version setting could not be written";
    RegSetValueExA(handle, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("win31"), 6);
    RegCloseKey(handle);
    SetEnvironmentVariableA(kChildVariable, "1");
    ChildProcess child(std::string("\"") + self + "\" --gtest_filter=" + gtestFilter);
    SetEnvironmentVariableA(kChildVariable, nullptr);
    const bool ended = child.started() && child.wait(120000);
    RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
    if (!ended)
        return "the child did not start or did not end";
    return child.exitCode() == 0 ? "" : "the checks in the child failed (see its output above)";
}
