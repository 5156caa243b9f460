// The picture of the settings dialogs is painted by the dialog itself, so that
// it also shows where its control is hidden (the palette options).
#include "extension/dialog_look_win.h"

#include <commctrl.h>

#include <algorithm>

#include "common/win/deliverable.h"
#include "extension/extension_state_win.h"
#include "extension/settings_dialog_win.h"
#include "resources/settings_dialog_ids.h"

namespace ext {

namespace {

constexpr UINT_PTR kPictureSubclass = 137;

LRESULT CALLBACK pictureProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    const auto control = static_cast<int>(data);
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(dialog, pictureProc, kPictureSubclass);
    if (message != WM_PAINT)
        return DefSubclassProc(dialog, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    RECT area{};
    GetWindowRect(GetDlgItem(dialog, control), &area);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&area), 2);
    HBITMAP picture = LoadBitmapA(extensionState().module, MAKEINTRESOURCEA(IDB_SETTINGS_PICTURE));
    if (picture != nullptr) {
        BITMAP info{};
        GetObjectA(picture, sizeof info, &info);
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, picture);
        BitBlt(dc, area.left, area.top, std::min<LONG>(area.right - area.left, info.bmWidth),
               std::min<LONG>(area.bottom - area.top, info.bmHeight), source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
        DeleteObject(picture);
    }
    EndPaint(dialog, &paint);
    return 0;
}

} // namespace

std::string dialogItemText(HWND dialog, int id) {
    char buffer[999] = "";
    GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
    return buffer;
}

void attachPicture(HWND dialog, int id) {
    SetWindowSubclass(dialog, pictureProc, kPictureSubclass, static_cast<DWORD_PTR>(id));
}

void centreOn(HWND window, HWND owner) {
    RECT outer{};
    if (owner == nullptr || !GetWindowRect(owner, &outer))
        GetWindowRect(GetDesktopWindow(), &outer);
    RECT own{};
    GetWindowRect(window, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    SetWindowPos(window, nullptr, outer.left + (outer.right - outer.left - width) / 2,
                 outer.top + (outer.bottom - outer.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void showSettingsHelp() {
    WinHelpA(extensionState().fileManager, deliverable().helpFile, HELP_KEY,
             reinterpret_cast<ULONG_PTR>("Einstellungen"));
}

void SettingsDialogBase::prepare(int picture) {
    attachPicture(window(), picture);
    centreOn(window(), GetWindow(window(), GW_OWNER));
}

bool SettingsDialogBase::onCommand(int id, int notification) {
    switch (id) {
    case IDOK:
        confirm();
        return true;
    case IDCANCEL:
        end(IDCANCEL);
        return true;
    case IDC_SETTINGS_ABOUT_BUTTON:
        showAboutBox();
        return true;
    case IDC_SETTINGS_HELP_BUTTON:
        showSettingsHelp();
        return true;
    default:
        return onOtherCommand(id, notification);
    }
}

} // namespace ext
