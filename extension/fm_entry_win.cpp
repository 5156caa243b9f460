// The library's start and end and its one export, FMExtensionProc, through
// which the File Manager delivers every event and command.
#include <windows.h>
#include "common/win/fm_extension.h"

#include <string>

#include "common/text/language_win.h"
#include "common/text/text_buffer.h"
#include "common/win/deliverable.h"
#include "extension/accelerators_win.h"
#include "extension/command_routing_win.h"
#include "extension/drive_roots.h"
#include "extension/extension_state_win.h"
#include "extension/help_line.h"
#include "extension/info/info_search_win.h"
#include "extension/listbox/list_box_ex_win.h"
#include "extension/listbox/list_images_win.h"
#include "extension/menu_plan.h"
#include "extension/palette_win.h"
#include "extension/settings_win.h"
#include "extension/toolbar_win.h"
#include "resources/extension_menu_ids.h"

namespace {

using ext::extensionState;

void libraryStart(HINSTANCE module) {
    ext::ExtensionState& state = extensionState();
    state.module = module;
    setDeliverable(kExtensionProfile);
    text::chooseLanguage();
    registerDragMessages();
    state.menuTemplate = LoadMenuA(module, MAKEINTRESOURCEA(IDR_EXTENSION_MENU));
}

void libraryEnd() {
    // A host that frees the library without unloading it first must not be
    // left with a hook into unmapped code.
    ext::removeAccelerators();
    ext::destroyPalette();
    ListImageSet::releaseShared();
    ext::ExtensionState& state = extensionState();
    if (state.menuTemplate != nullptr)
        DestroyMenu(state.menuTemplate);
    state.menuTemplate = nullptr;
}

HMENU buildMenu(const std::vector<ext::MenuEntry>& plan) {
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr)
        return nullptr;
    for (const ext::MenuEntry& entry : plan) {
        if (entry.command == 0)
            AppendMenuA(menu, MF_SEPARATOR, 0, "");
        else
            AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(entry.command), entry.text.c_str());
    }
    return menu;
}

LONG load(FMS_LOAD* request) {
    if (request == nullptr)
        return 0;
    ext::ExtensionState& state = extensionState();
    if (HMODULE self = GetModuleHandleA("korbinen.dll"); self != nullptr)
        state.module = self;

    ext::loadSettings();
    const HMENU menu = buildMenu(ext::planMenu(state.settings, state.commandLines, text::chosenLanguage()));
    if (menu == nullptr)
        return 0;
    state.extensionMenu = menu;
    state.menuDelta = request->wMenuDelta;
    request->hMenu = menu;
    request->dwSize = sizeof(FMS_LOAD);
    copyText(request->szMenuName, sizeof request->szMenuName, state.settings.menuName);

    if (!ext::installAccelerators(state.module, state.fileManager))
        MessageBoxA(state.fileManager, "Tastatur-Tabelle kann nicht geladen werden !", "korbinex", MB_ICONHAND);
    if (state.settings.paletteArrangement != 0) {
        FMS_TOOLBARLOAD scratch{};
        ext::loadToolbar(&scratch);
        ext::createPalette(state.fileManager);
    }
    return 1;
}

void unload() {
    ext::destroyPalette();
    ext::releaseToolbar();
    info::closeInfoSearchWindow();
    WinHelpA(extensionState().fileManager, deliverable().helpFile, HELP_QUIT, 0);
    ext::removeAccelerators();
}

LONG initMenu(HMENU menu) {
    ext::ExtensionState& state = extensionState();
    const HWND fileManager = state.fileManager;
    const int focus = static_cast<int>(SendMessageA(fileManager, FM_GETFOCUS, 0, 0));
    const unsigned count = static_cast<WORD>(SendMessageA(fileManager, FM_GETSELCOUNTLFN, 0, 0));
    const bool onlyFiles = ext::selectionHoldsOnlyFiles(focus, count, [&](unsigned index) {
        FMS_GETFILESEL entry{};
        SendMessageA(fileManager, FM_GETFILESELLFN, index, reinterpret_cast<LPARAM>(&entry));
        return static_cast<std::uint8_t>(entry.bAttr);
    });
    if (menu == nullptr)
        menu = state.extensionMenu;
    for (int command : ext::kFileOnlyCommands)
        EnableMenuItem(menu, state.menuDelta + command, MF_BYCOMMAND | (onlyFiles ? MF_ENABLED : MF_GRAYED));
    return 0;
}

std::string stringResource(UINT id) {
    char buffer[256] = "";
    LoadStringA(extensionState().module, id, buffer, sizeof buffer);
    return buffer;
}

LONG helpLine(FMS_HELPSTRING* help) {
    if (help == nullptr)
        return 0;
    const ext::HelpLineSource source = ext::helpLineSource(help->idCommand);
    switch (source.kind) {
    case ext::HelpLineSource::Untouched:
        return 1;
    case ext::HelpLineSource::Text:
        copyText(help->szHelp, sizeof help->szHelp, text::lookupText(source.id));
        break;
    case ext::HelpLineSource::Program:
        copyText(help->szHelp, sizeof help->szHelp,
                 ext::programHelpLine(text::chosenLanguage(), extensionState().settings.programs[source.id - 1]));
        break;
    case ext::HelpLineSource::StringResource:
        copyText(help->szHelp, sizeof help->szHelp, stringResource(source.id));
        break;
    case ext::HelpLineSource::Empty:
        copyText(help->szHelp, sizeof help->szHelp, "");
        break;
    }
    return 0;
}

LONG helpTopic(LONG command) {
    WinHelpA(extensionState().fileManager, deliverable().helpFile, HELP_KEY,
             reinterpret_cast<ULONG_PTR>(ext::helpTopicKeyword(command)));
    return 0;
}

LONG dispatch(HWND window, WORD message, LPARAM lParam) {
    extensionState().fileManager = window;
    // Drives chosen for the in-process tools apply to one command only.
    ext::driveRoots().clear();
    switch (message) {
    case FMEVENT_LOAD:
        return load(reinterpret_cast<FMS_LOAD*>(lParam));
    case FMEVENT_UNLOAD:
        unload();
        return 0;
    case FMEVENT_INITMENU:
        return initMenu(reinterpret_cast<HMENU>(lParam));
    case FMEVENT_HELPSTRING:
        return helpLine(reinterpret_cast<FMS_HELPSTRING*>(lParam));
    case FMEVENT_HELPMENUITEM:
        return helpTopic(static_cast<LONG>(lParam));
    case FMEVENT_TOOLBARLOAD:
        return ext::loadToolbar(reinterpret_cast<FMS_TOOLBARLOAD*>(lParam));
    default:
        // Commands 1 to 21 arrive as the message itself, whatever the menu delta.
        if (message >= 1 && message <= 21)
            return ext::routeCommand(window, message);
        // Refresh and selection changes need nothing.
        return 0;
    }
}

} // namespace

extern "C" LONG WINAPI FMExtensionProc(HWND window, WORD message, LPARAM lParam) {
    // No exception may cross into the File Manager.
    try {
        return dispatch(window, message, lParam);
    } catch (...) {
        return 0;
    }
}

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(module);
        libraryStart(module);
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        // Only on FreeLibrary: at process exit the windows are gone already.
        libraryEnd();
    }
    return TRUE;
}
