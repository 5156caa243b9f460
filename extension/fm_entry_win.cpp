// The library's start and end and its one export, FMExtensionProc, through
// which the File Manager delivers every event and command.
#include <windows.h>
#include <wfext.h>

#include <cstring>
#include <string>

#include "common/text/language_win.h"
#include "common/text/text_buffer.h"
#include "common/win/deliverable.h"
#include "extension/help_line.h"

namespace {

struct ExtensionState {
    HWND fileManager = nullptr;
    HINSTANCE module = nullptr;
};

ExtensionState state;

void libraryStart(HINSTANCE module) {
    state.module = module;
    setDeliverable(kExtensionProfile);
    text::chooseLanguage();
}

std::string stringResource(UINT id) {
    char buffer[256] = "";
    LoadStringA(state.module, id, buffer, sizeof buffer);
    return buffer;
}

LONG helpLine(FMS_HELPSTRING* help) {
    const ext::HelpLineSource source = ext::helpLineSource(help->idCommand);
    switch (source.kind) {
    case ext::HelpLineSource::Untouched:
        return 1;
    case ext::HelpLineSource::Text:
        copyText(help->szHelp, sizeof help->szHelp, text::lookupText(source.id));
        break;
    case ext::HelpLineSource::Program:
        copyText(help->szHelp, sizeof help->szHelp, "");
        break;
    case ext::HelpLineSource::StringResource:
        copyText(help->szHelp, sizeof help->szHelp, stringResource(source.id));
        break;
    }
    return 0;
}

LONG dispatch(HWND window, WORD message, LONG lParam) {
    state.fileManager = window;
    switch (message) {
    case FMEVENT_HELPSTRING:
        return helpLine(reinterpret_cast<FMS_HELPSTRING*>(lParam));
    default:
        return 0;
    }
}

} // namespace

extern "C" LONG WINAPI FMExtensionProc(HWND window, WORD message, LONG lParam) {
    // No exception may cross into the File Manager.
    try {
        return dispatch(window, message, lParam);
    } catch (...) {
        return 0;
    }
}

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(module);
        libraryStart(module);
    }
    return TRUE;
}
