// Composing the toolbar's image strip: pictures of ours for known programs and
// the extension's functions, a program's own icon shrunk for the others.
#include "extension/toolbar_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <array>

#include "extension/extension_state_win.h"
#include "extension/toolbar_plan.h"
#include "resources/settings_dialog_ids.h"

namespace ext {

namespace {

constexpr int kImageWidth = 16;
constexpr int kImageHeight = 15;

struct Toolbar {
    std::array<EXT_BUTTON, 32> buttons{}; // more than the plan can ever hold
    std::vector<int> commands;
    // Every strip handed out stays valid until unload: the File Manager may
    // still draw from an earlier one when it asks again.
    std::vector<HBITMAP> strips;
};

Toolbar& toolbar() {
    static Toolbar instance;
    return instance;
}

int drawBitmap(HDC target, int x, int resource) {
    HBITMAP image = LoadBitmapA(extensionState().module, MAKEINTRESOURCEA(resource));
    if (image == nullptr)
        return kImageWidth; // the place stays, so later images keep theirs
    BITMAP info{};
    GetObjectA(image, sizeof info, &info);
    HDC source = CreateCompatibleDC(target);
    HGDIOBJ old = SelectObject(source, image);
    BitBlt(target, x, 0, info.bmWidth, kImageHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    DeleteObject(image);
    return info.bmWidth;
}

// The program's first icon shrunk to one image: its mask ANDed, then its
// colours XORed, as icons are drawn. False when the file has no icon.
bool drawIcon(HDC target, int x, const std::string& commandLine) {
    const std::string path = commandLine.substr(0, commandLine.find(' '));
    HICON icon = ExtractIconA(extensionState().module, path.c_str(), 0);
    if (icon == nullptr || icon == reinterpret_cast<HICON>(1))
        return false;
    ICONINFO parts{};
    if (!GetIconInfo(icon, &parts)) {
        DestroyIcon(icon);
        return false;
    }
    const int cx = GetSystemMetrics(SM_CXICON);
    const int cy = GetSystemMetrics(SM_CYICON);
    HDC source = CreateCompatibleDC(target);
    HGDIOBJ old = SelectObject(source, parts.hbmMask);
    SetStretchBltMode(target, COLORONCOLOR);
    StretchBlt(target, x, 0, kImageWidth, kImageHeight, source, 0, 0, cx, cy, SRCAND);
    if (parts.hbmColor != nullptr) {
        SelectObject(source, parts.hbmColor);
        StretchBlt(target, x, 0, kImageWidth, kImageHeight, source, 0, 0, cx, cy, SRCINVERT);
    } else { // monochrome: the XOR half lies below the AND half
        StretchBlt(target, x, 0, kImageWidth, kImageHeight, source, 0, cy, cx, cy, SRCINVERT);
    }
    SelectObject(source, old);
    DeleteDC(source);
    DeleteObject(parts.hbmMask);
    if (parts.hbmColor != nullptr)
        DeleteObject(parts.hbmColor);
    DestroyIcon(icon);
    return true;
}

} // namespace

LONG loadToolbar(FMS_TOOLBARLOAD* request) {
    const ExtensionState& state = extensionState();
    Toolbar& bar = toolbar();
    bar.commands.clear();
    HBITMAP strip = LoadBitmapA(state.module, MAKEINTRESOURCEA(IDB_TOOLBAR_STRIP));
    if (strip != nullptr)
        bar.strips.push_back(strip);
    HDC screen = GetDC(nullptr);
    HDC target = CreateCompatibleDC(screen);
    HGDIOBJ old = strip != nullptr ? SelectObject(target, strip) : nullptr;

    std::size_t count = 0;
    int x = 0;
    for (const ToolbarButton& button : planToolbar(state.settings, state.commandLines)) {
        if (count == bar.buttons.size())
            break;
        if (button.command == 0) {
            bar.buttons[count++] = EXT_BUTTON{0, 0, TBSTYLE_SEP};
            continue;
        }
        if (button.image == kOwnIcon) {
            if (!drawIcon(target, x, state.commandLines[static_cast<std::size_t>(button.command - 1)]))
                continue; // no icon, no button
            x += kImageWidth;
        } else {
            x += drawBitmap(target, x, button.image);
        }
        const auto command = static_cast<WORD>(button.command);
        bar.buttons[count++] = EXT_BUTTON{command, command, 0};
        bar.commands.push_back(button.command);
    }
    if (old != nullptr)
        SelectObject(target, old);
    DeleteDC(target);
    ReleaseDC(nullptr, screen);

    if (request != nullptr) {
        request->lpButtons = bar.buttons.data();
        request->cButtons = static_cast<WORD>(count);
        request->cBitmaps = static_cast<WORD>(count);
        request->hBitmap = strip;
    }
    return 1;
}

const std::vector<int>& toolbarCommands() {
    return toolbar().commands;
}

HBITMAP toolbarStrip() {
    return toolbar().strips.empty() ? nullptr : toolbar().strips.back();
}

void releaseToolbar() {
    for (HBITMAP strip : toolbar().strips)
        DeleteObject(strip);
    toolbar().strips.clear();
}

} // namespace ext
