// Starting a configured program with WinExec, once per selected file, in the
// file's own directory.
#include "extension/program_launch_win.h"

#include "common/win/fm_extension.h"

#include <string>

#include "common/text/language_win.h"
#include "common/win/plain_message.h"
#include "extension/extension_state_win.h"
#include "extension/program_launch.h"

namespace ext {

namespace {

// WinExec reports success with a value above 31.
UINT start(const std::string& commandLine) {
    return WinExec(commandLine.c_str(), SW_SHOW);
}

void launchOnSelection(HWND fileManager, const std::string& commandLine, unsigned count) {
    if (count > 1 && showMessage(fileManager, text::lookupText(15098), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    for (unsigned index = 0; index < count; ++index) {
        FMS_GETFILESEL entry{};
        SendMessageA(fileManager, FM_GETFILESELLFN, index, reinterpret_cast<LPARAM>(&entry));
        if (isLaunchSkipped(static_cast<std::uint8_t>(entry.bAttr)))
            continue;
        entry.szName[sizeof entry.szName - 1] = '\0';
        const std::string path = launchPath(entry.szName);
        if (const std::string directory = launchDirectory(path); !directory.empty())
            SetCurrentDirectoryA(directory.c_str());
        const std::string line = launchCommandLine(commandLine, path);
        const UINT result = start(line);
        if (result < 32)
            showMessage(fileManager, launchErrorText(text::lookupText(15099), static_cast<int>(result), line));
    }
}

} // namespace

void launchProgram(HWND fileManager, int slot) {
    const ExtensionState& state = extensionState();
    if (slot < 1 || slot > static_cast<int>(kProgramSlots))
        return;
    const std::string commandLine = state.commandLines[static_cast<std::size_t>(slot - 1)];
    if (commandLine.empty())
        return;
    const int focus = static_cast<int>(SendMessageA(fileManager, FM_GETFOCUS, 0, 0));
    const unsigned count = static_cast<WORD>(SendMessageA(fileManager, FM_GETSELCOUNTLFN, 0, 0));
    if (launchesPerFile(focus, IsIconic(fileManager) != FALSE, count)) {
        launchOnSelection(fileManager, commandLine, count);
        return;
    }
    const UINT result = start(commandLine);
    if (result < 32)
        MessageBoxA(
            fileManager,
            launchErrorText("Fehler Nr. %d beim Aufruf von:\n%s", static_cast<int>(result), commandLine).c_str(),
            "Datei-Manager Erweiterung", MB_OK);
}

} // namespace ext
