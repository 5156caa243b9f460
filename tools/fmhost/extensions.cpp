// Loads the extensions of fmhost's INI file, gives each its menu delta, puts their
// popups and toolbar buttons in the frame and calls FMExtensionProc for every event.
#include "tools/fmhost/extensions.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

namespace fmhost {

namespace {

constexpr int kMaxButtons = 64; // more than any toolbar can show
constexpr int kMenuTextMax = 256;

std::string trim(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool fileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool isRelative(const std::string& path) {
    return !(path.size() >= 2 && path[1] == ':') && !(path.size() >= 1 && (path[0] == '\\' || path[0] == '/'));
}

std::string toAnsi(const std::wstring& text) {
    if (text.empty())
        return std::string();
    int size =
        WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

std::wstring toWide(const char* text) {
    int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (size <= 1)
        return std::wstring();
    std::wstring out(static_cast<size_t>(size - 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, out.data(), size);
    return out;
}

} // namespace

std::vector<AddOn> readAddOns(const std::string& iniPath) {
    std::vector<AddOn> result;
    std::vector<char> buffer(32768);
    DWORD length =
        GetPrivateProfileSectionA("AddOns", buffer.data(), static_cast<DWORD>(buffer.size()), iniPath.c_str());
    std::string folder = iniPath.substr(0, iniPath.find_last_of("\\/") + 1);
    for (DWORD at = 0; at < length && buffer[at] != '\0';) {
        std::string line = buffer.data() + at;
        at += static_cast<DWORD>(line.size()) + 1;
        size_t equals = line.find('=');
        if (equals == std::string::npos || trim(line).rfind(';', 0) == 0)
            continue;
        AddOn addOn{trim(line.substr(0, equals)), trim(line.substr(equals + 1))};
        if (addOn.path.size() >= 2 && addOn.path.front() == '"' && addOn.path.back() == '"')
            addOn.path = addOn.path.substr(1, addOn.path.size() - 2);
        if (addOn.path.empty())
            continue;
        if (isRelative(addOn.path) && fileExists(folder + addOn.path))
            addOn.path = folder + addOn.path;
        result.push_back(addOn);
    }
    return result;
}

LONG Extensions::call(const Loaded& extension, HWND window, WORD message, LPARAM lParam) {
    ++depth_;
    LONG result = extension.proc(window, message, lParam);
    --depth_;
    return result;
}

const Extensions::Loaded* Extensions::owner(UINT id) const {
    for (const Loaded& extension : loaded_)
        if (id >= extension.delta && id < extension.delta + kDeltaStep)
            return &extension;
    return nullptr;
}

void Extensions::loadAll(HWND frame, const std::string& iniPath, HMENU menuBar, HMENU beforeMenu, HWND toolbar) {
    frame_ = frame;
    menuBar_ = menuBar;
    beforeMenu_ = beforeMenu;
    problems_.clear();
    if (!fileExists(iniPath)) {
        problems_.push_back("no INI file " + iniPath);
        return;
    }
    for (const AddOn& addOn : readAddOns(iniPath)) {
        if (static_cast<int>(loaded_.size()) >= kMaxExtensions) {
            problems_.push_back(addOn.key + ": not loaded, at most 10 extensions");
            continue;
        }
        load(addOn, toolbar);
    }
    DrawMenuBar(frame_);
}

bool Extensions::load(const AddOn& addOn, HWND toolbar) {
    // A broken DLL must not stop fmhost with a system error box.
    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = LoadLibraryA(addOn.path.c_str());
    SetErrorMode(oldMode);
    if (!module) {
        problems_.push_back(addOn.key + ": cannot load " + addOn.path);
        return false;
    }
    for (const Loaded& other : loaded_) {
        if (other.module == module) {
            // The same library twice would get two deltas but keep one state.
            FreeLibrary(module);
            problems_.push_back(addOn.key + ": already loaded as " + other.key);
            return false;
        }
    }
    Loaded extension;
    extension.key = addOn.key;
    extension.path = addOn.path;
    extension.module = module;
    extension.proc =
        reinterpret_cast<FmExtensionProc>(reinterpret_cast<void*>(GetProcAddress(module, "FMExtensionProcW")));
    extension.unicode = extension.proc != nullptr;
    if (!extension.proc)
        extension.proc =
            reinterpret_cast<FmExtensionProc>(reinterpret_cast<void*>(GetProcAddress(module, "FMExtensionProc")));
    if (!extension.proc) {
        FreeLibrary(module);
        problems_.push_back(addOn.key + ": no FMExtensionProc in " + addOn.path);
        return false;
    }
    extension.delta = kFirstDelta + kDeltaStep * static_cast<UINT>(loaded_.size());

    HMENU sourceMenu = nullptr;
    bool accepted = false;
    if (extension.unicode) {
        FMS_LOADW answer{};
        answer.dwSize = sizeof answer;
        answer.wMenuDelta = extension.delta;
        accepted = call(extension, frame_, FMEVENT_LOAD, reinterpret_cast<LPARAM>(&answer)) != 0 &&
                   answer.dwSize == sizeof answer;
        answer.szMenuName[MENU_TEXT_LEN - 1] = L'\0'; // the extension may have filled the whole field
        extension.title = answer.szMenuName;
        sourceMenu = answer.hMenu;
    } else {
        FMS_LOADA answer{};
        answer.dwSize = sizeof answer;
        answer.wMenuDelta = extension.delta;
        accepted = call(extension, frame_, FMEVENT_LOAD, reinterpret_cast<LPARAM>(&answer)) != 0 &&
                   answer.dwSize == sizeof answer;
        answer.szMenuName[MENU_TEXT_LEN - 1] = '\0';
        extension.title = toWide(answer.szMenuName);
        sourceMenu = answer.hMenu;
    }
    if (!accepted) {
        FreeLibrary(module);
        problems_.push_back(addOn.key + ": refused to load");
        return false;
    }
    if (sourceMenu && IsMenu(sourceMenu)) {
        extension.popup = rebuildPopup(sourceMenu, extension.delta);
        int before = GetMenuItemCount(menuBar_);
        for (int i = 0; i < GetMenuItemCount(menuBar_); ++i)
            if (GetSubMenu(menuBar_, i) == beforeMenu_)
                before = i;
        InsertMenuW(menuBar_, static_cast<UINT>(before), MF_BYPOSITION | MF_POPUP | MF_STRING,
                    reinterpret_cast<UINT_PTR>(extension.popup), extension.title.c_str());
    }
    loaded_.push_back(extension);

    FMS_TOOLBARLOAD toolbarAnswer{};
    toolbarAnswer.dwSize = sizeof toolbarAnswer;
    if (call(loaded_.back(), frame_, FMEVENT_TOOLBARLOAD, reinterpret_cast<LPARAM>(&toolbarAnswer)) != 0)
        addButtons(loaded_.back(), toolbarAnswer, toolbar);
    return true;
}

HMENU Extensions::rebuildPopup(HMENU source, UINT delta) const {
    // The items are copied as plain strings with ids moved into the extension's range.
    HMENU popup = CreatePopupMenu();
    int count = GetMenuItemCount(source);
    for (int i = 0; i < count; ++i) {
        wchar_t text[kMenuTextMax] = L"";
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = kMenuTextMax - 1;
        if (!GetMenuItemInfoW(source, static_cast<UINT>(i), TRUE, &item))
            continue;
        text[kMenuTextMax - 1] = L'\0';
        if (item.fType & MFT_SEPARATOR) {
            AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = MF_STRING;
        if (item.fState & MFS_GRAYED)
            flags |= MF_GRAYED;
        if (item.fState & MFS_CHECKED)
            flags |= MF_CHECKED;
        AppendMenuW(popup, flags, item.wID % kDeltaStep + delta, text);
    }
    return popup;
}

void Extensions::addButtons(const Loaded& extension, const FMS_TOOLBARLOAD& answer, HWND toolbar) {
    if (!toolbar || answer.cButtons == 0 || !answer.lpButtons)
        return;
    int imageBase = -1;
    if (answer.cBitmaps > 0 && (answer.hBitmap || answer.idBitmap)) {
        TBADDBITMAP bitmap{};
        bitmap.hInst = answer.hBitmap ? nullptr : extension.module;
        bitmap.nID = answer.hBitmap ? reinterpret_cast<UINT_PTR>(answer.hBitmap) : answer.idBitmap;
        imageBase =
            static_cast<int>(SendMessageA(toolbar, TB_ADDBITMAP, answer.cBitmaps, reinterpret_cast<LPARAM>(&bitmap)));
    }
    int count = std::min<int>(answer.cButtons, kMaxButtons);
    int image = 0;
    for (int i = 0; i < count; ++i) {
        const EXT_BUTTON& source = answer.lpButtons[i];
        TBBUTTON button{};
        if (source.idCommand == 0) {
            button.fsStyle = TBSTYLE_SEP;
        } else {
            button.idCommand = static_cast<int>(source.idCommand % kDeltaStep + extension.delta);
            button.iBitmap = imageBase >= 0 && image < answer.cBitmaps ? imageBase + image : I_IMAGENONE;
            ++image;
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = static_cast<BYTE>(source.fsStyle & 0xFF);
            buttons_.push_back({static_cast<UINT>(button.idCommand), extension.module, source.idsHelp});
        }
        SendMessageA(toolbar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
    }
    SendMessageA(toolbar, TB_AUTOSIZE, 0, 0);
}

std::string Extensions::buttonHelp(UINT id) const {
    for (const Button& button : buttons_) {
        if (button.id != id)
            continue;
        char text[256] = "";
        LoadStringA(button.module, button.helpId, text, sizeof text);
        return text;
    }
    return std::string();
}

void Extensions::unloadAll() {
    std::vector<Loaded> leaving;
    leaving.swap(loaded_);
    buttons_.clear();
    for (const Loaded& extension : leaving) {
        call(extension, nullptr, FMEVENT_UNLOAD, 0);
        if (extension.popup && menuBar_) {
            for (int i = GetMenuItemCount(menuBar_) - 1; i >= 0; --i)
                if (GetSubMenu(menuBar_, i) == extension.popup)
                    RemoveMenu(menuBar_, static_cast<UINT>(i), MF_BYPOSITION);
            DestroyMenu(extension.popup);
        }
        FreeLibrary(extension.module);
    }
    if (frame_ && IsWindow(frame_))
        DrawMenuBar(frame_);
}

bool Extensions::command(UINT id) {
    const Loaded* extension = owner(id);
    if (!extension)
        return false;
    call(*extension, frame_, static_cast<WORD>(id - extension->delta), 0);
    return true;
}

void Extensions::initMenu(HMENU popup) {
    for (const Loaded& extension : loaded_)
        if (extension.popup && extension.popup == popup)
            call(extension, frame_, FMEVENT_INITMENU, reinterpret_cast<LPARAM>(popup));
}

bool Extensions::helpLine(HMENU popup, int item, std::string& text) {
    const Loaded* extension = nullptr;
    int idCommand = -1;
    if (item == -1) {
        for (const Loaded& candidate : loaded_)
            if (candidate.popup && candidate.popup == popup)
                extension = &candidate;
    } else {
        extension = owner(static_cast<UINT>(item));
        if (extension)
            idCommand = item - static_cast<int>(extension->delta);
    }
    if (!extension)
        return false;
    if (extension->unicode) {
        FMS_HELPSTRINGW help{};
        help.idCommand = idCommand;
        help.hMenu = extension->popup;
        call(*extension, frame_, FMEVENT_HELPSTRING, reinterpret_cast<LPARAM>(&help));
        help.szHelp[127] = L'\0';
        text = toAnsi(help.szHelp);
    } else {
        FMS_HELPSTRINGA help{};
        help.idCommand = idCommand;
        help.hMenu = extension->popup;
        call(*extension, frame_, FMEVENT_HELPSTRING, reinterpret_cast<LPARAM>(&help));
        help.szHelp[127] = '\0';
        text = help.szHelp;
    }
    return true;
}

bool Extensions::helpItem(UINT id) {
    const Loaded* extension = owner(id);
    if (!extension)
        return false;
    call(*extension, frame_, FMEVENT_HELPMENUITEM, static_cast<LPARAM>(id - extension->delta));
    return true;
}

void Extensions::broadcast(WORD event) {
    for (size_t i = 0; i < loaded_.size(); ++i)
        call(loaded_[i], frame_, event, 0);
}

} // namespace fmhost
