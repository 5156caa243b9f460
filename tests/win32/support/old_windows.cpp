// The child copy on an old Windows: the program's own AppDefaults entry while
// it starts, and a variable that tells the child what it is.
#include "tests/win32/support/old_windows.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/win32/support/remote_window.h"

namespace {

constexpr const char* kChildVariable = "KORB_OLD_WINDOWS_CHILD";

} // namespace

bool inOldWindowsChild() {
    return std::getenv(kChildVariable) != nullptr;
}

void expectOldWindowsChildPasses(const char* filter) {
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    const char* slash = std::strrchr(self, '\\');
    const std::string key = std::string("Software\\Wine\\AppDefaults\\") + (slash ? slash + 1 : self);
    HKEY handle = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr));
    RegSetValueExA(handle, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("win31"), 6);
    RegCloseKey(handle);
    SetEnvironmentVariableA(kChildVariable, "1");
    ChildProcess child(std::string("\"") + self + "\" --gtest_filter=" + filter);
    SetEnvironmentVariableA(kChildVariable, nullptr);
    const bool ended = child.started() && child.wait(120000);
    RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
    ASSERT_TRUE(ended) << "the child did not start or did not end";
    EXPECT_EQ(0u, child.exitCode()) << "the checks in the child failed (see its output above)";
}
