// The palette window. It never takes the activation, so the File Manager keeps
// its focus and selection; its buttons act on release over the button
// pressed, and its top strip moves it, with the new place kept in the settings.
#include "extension/palette_win.h"

#include "common/win/fm_extension.h"

#include <vector>

#include "extension/extension_state_win.h"
#include "extension/settings_win.h"
#include "extension/toolbar_plan.h"
#include "extension/toolbar_win.h"
#include "resources/extension_menu_ids.h"

// The library's own entry: palette buttons act exactly as menu commands.
extern "C" LONG WINAPI FMExtensionProc(HWND window, WORD message, LPARAM lParam);

namespace ext {

namespace {

constexpr const char* kFrameClass = "KorbinexPaletteFrame";
constexpr const char* kBarClass = "KorbinexPalette";

struct Palette {
    HWND frame = nullptr;
    HWND bar = nullptr;
    HBITMAP images = nullptr; // the palette's own copy of the strip
    std::vector<int> commands;
    int columns = 1;
    int pressed = -1;  // button held down, -1 none
    bool over = false; // the mouse is over the pressed button
    bool dragging = false;
    POINT grip{};   // press point relative to the window
    RECT outline{}; // outline drawn on the screen while dragging
};

Palette palette;

void invertOutline(const RECT& r) {
    HDC screen = GetDC(nullptr);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    PatBlt(screen, r.left, r.top, w, 2, DSTINVERT);
    PatBlt(screen, r.left, r.bottom - 2, w, 2, DSTINVERT);
    PatBlt(screen, r.left, r.top + 2, 2, h - 4, DSTINVERT);
    PatBlt(screen, r.right - 2, r.top + 2, 2, h - 4, DSTINVERT);
    ReleaseDC(nullptr, screen);
}

POINT onScreen(HWND bar, POINT point) {
    ClientToScreen(bar, &point);
    return point;
}

RECT outlineAt(HWND bar, POINT cursor) {
    RECT window{};
    GetWindowRect(bar, &window);
    const int x = cursor.x - palette.grip.x;
    const int y = cursor.y - palette.grip.y;
    return {x, y, x + window.right - window.left, y + window.bottom - window.top};
}

void paintBar(HWND bar) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(bar, &ps);
    RECT client{};
    GetClientRect(bar, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &client, EDGE_RAISED, BF_RECT);
    RECT strip{3, 3, client.right - 3, 9};
    FillRect(dc, &strip, GetSysColorBrush(COLOR_ACTIVECAPTION));
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = palette.images != nullptr ? SelectObject(source, palette.images) : nullptr;
    for (int i = 0; i < static_cast<int>(palette.commands.size()); ++i) {
        const PaletteRect b = paletteButton(i, palette.columns);
        RECT r{b.left, b.top, b.left + b.width, b.top + b.height};
        const bool down = i == palette.pressed && palette.over;
        DrawEdge(dc, &r, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
        const int shift = down ? 1 : 0;
        if (palette.images != nullptr)
            BitBlt(dc, r.left + 3 + shift, r.top + 3 + shift, 16, 15, source, 16 * i, 0, SRCCOPY);
    }
    if (old != nullptr)
        SelectObject(source, old);
    DeleteDC(source);
    EndPaint(bar, &ps);
}

void buttonUp(HWND bar, POINT point) {
    const int pressed = palette.pressed;
    palette.pressed = -1;
    ReleaseCapture();
    InvalidateRect(bar, nullptr, FALSE);
    if (pressed >= 0 &&
        paletteButtonAt(point.x, point.y, palette.columns, static_cast<int>(palette.commands.size())) == pressed)
        FMExtensionProc(extensionState().fileManager,
                        static_cast<WORD>(palette.commands[static_cast<std::size_t>(pressed)]), 0);
}

void dragEnd(HWND bar, POINT cursor) {
    invertOutline(palette.outline);
    palette.dragging = false;
    ReleaseCapture();
    const RECT place = outlineAt(bar, cursor);
    SetWindowPos(bar, nullptr, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(bar, SW_SHOWNOACTIVATE);
    IniSettingsStore store;
    writePalettePosition(store, {place.left, place.top});
}

LRESULT barMessage(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (message) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_PAINT:
        paintBar(bar);
        return 0;
    case WM_LBUTTONDOWN:
        if (inPaletteDragStrip(point.y)) {
            SetCapture(bar);
            palette.dragging = true;
            palette.grip = point; // client and window coincide: the bar has no frame
            palette.outline = outlineAt(bar, onScreen(bar, point));
            invertOutline(palette.outline);
        } else {
            palette.pressed =
                paletteButtonAt(point.x, point.y, palette.columns, static_cast<int>(palette.commands.size()));
            palette.over = palette.pressed >= 0;
            if (palette.pressed >= 0)
                SetCapture(bar);
            InvalidateRect(bar, nullptr, FALSE);
        }
        return 0;
    case WM_MOUSEMOVE:
        if (palette.dragging) {
            invertOutline(palette.outline);
            palette.outline = outlineAt(bar, onScreen(bar, point));
            invertOutline(palette.outline);
        } else if (palette.pressed >= 0) {
            const bool over = paletteButtonAt(point.x, point.y, palette.columns,
                                              static_cast<int>(palette.commands.size())) == palette.pressed;
            if (over != palette.over) {
                palette.over = over;
                InvalidateRect(bar, nullptr, FALSE);
            }
        }
        return 0;
    case WM_LBUTTONUP:
        if (palette.dragging) {
            dragEnd(bar, onScreen(bar, point));
        } else if (palette.pressed >= 0) {
            buttonUp(bar, point);
        }
        return 0;
    case WM_CAPTURECHANGED:
        // Capture taken away (another window, a dialog): nothing is carried out.
        if (palette.dragging)
            invertOutline(palette.outline);
        palette.dragging = false;
        if (palette.pressed >= 0) {
            palette.pressed = -1;
            InvalidateRect(bar, nullptr, FALSE);
        }
        return 0;
    default:
        return DefWindowProcA(bar, message, wParam, lParam);
    }
}

LRESULT CALLBACK barProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return barMessage(bar, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

void registerClasses(HINSTANCE module) {
    WNDCLASSA wc{};
    wc.hInstance = module;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = kFrameClass;
    RegisterClassA(&wc);
    wc.lpfnWndProc = barProc;
    wc.lpszClassName = kBarClass;
    RegisterClassA(&wc);
}

} // namespace

void createPalette(HWND fileManager) {
    destroyPalette();
    const ExtensionState& state = extensionState();
    registerClasses(state.module);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    HWND owner = state.settings.paletteOwner != 0 ? nullptr : fileManager;
    palette.frame = CreateWindowExA(
        WS_EX_TOPMOST, kFrameClass, "Palette", WS_POPUP | WS_CLIPCHILDREN, screenWidth - 364, 0, 300, 32, owner,
        LoadMenuA(state.module, MAKEINTRESOURCEA(IDR_EXTENSION_MENU)), state.module, nullptr);
    if (palette.frame == nullptr)
        return;

    palette.commands = toolbarCommands();
    const int n = static_cast<int>(palette.commands.size());
    IniSettingsStore store;
    const PalettePosition at = readPalettePosition(store, n, screenWidth, screenHeight);
    palette.columns = paletteColumns(store.readInt("Pa", n), n);
    if (HBITMAP strip = toolbarStrip(); strip != nullptr)
        palette.images = static_cast<HBITMAP>(CopyImage(strip, IMAGE_BITMAP, 0, 0, 0));
    const PaletteRect size = paletteBar(palette.columns, n);
    palette.bar = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kBarClass, "", WS_POPUP, at.x, at.y, size.width,
                                  size.height, palette.frame, nullptr, state.module, nullptr);
    ShowWindow(palette.bar, SW_SHOWNOACTIVATE);
}

void destroyPalette() {
    if (palette.frame != nullptr)
        DestroyWindow(palette.frame); // its bar and menu go with it
    if (palette.images != nullptr)
        DeleteObject(palette.images);
    // A library loaded again at another address must register its own procedures.
    UnregisterClassA(kBarClass, extensionState().module);
    UnregisterClassA(kFrameClass, extensionState().module);
    palette = Palette{};
}

} // namespace ext
