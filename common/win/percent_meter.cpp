// The meter's painting, hooked into the static control's window procedure.
#include "common/win/percent_meter.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr const char* kOldProcedure = "korbMeterProc";

int shownPercent(HWND control) {
    char text[16] = "";
    GetWindowTextA(control, text, sizeof text);
    return std::atoi(text);
}

void paintMeter(HWND control, HDC dc) {
    RECT r;
    GetClientRect(control, &r);
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&r, -1, -1);
    const int percent = shownPercent(control);
    RECT done = r;
    done.right = r.left + (r.right - r.left) * percent / 100;
    FillRect(dc, &done, GetSysColorBrush(COLOR_HIGHLIGHT));
    RECT rest = r;
    rest.left = done.right;
    FillRect(dc, &rest, GetSysColorBrush(COLOR_BTNFACE));
    char label[16];
    std::snprintf(label, sizeof label, "%d%%", percent);
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(GetParent(control), WM_GETFONT, 0, 0)));
    DrawTextA(dc, label, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, oldFont);
}

LRESULT CALLBACK meterProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto old = reinterpret_cast<WNDPROC>(GetPropA(control, kOldProcedure));
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(control, &ps);
        paintMeter(control, dc);
        EndPaint(control, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_SETTEXT:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
        // A frame-style static keeps no text of its own: the window does.
        return DefWindowProcA(control, message, wParam, lParam);
    case WM_NCDESTROY:
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        RemovePropA(control, kOldProcedure);
        break;
    default:
        break;
    }
    return CallWindowProcA(old, control, message, wParam, lParam);
}

} // namespace

void attachPercentMeter(HWND control) {
    if (control == nullptr || GetPropA(control, kOldProcedure) != nullptr)
        return;
    const LONG_PTR old = GetWindowLongPtrA(control, GWLP_WNDPROC);
    SetPropA(control, kOldProcedure, reinterpret_cast<HANDLE>(old));
    SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(meterProcedure));
    SetWindowTextA(control, "0%");
    InvalidateRect(control, nullptr, TRUE);
}

void setPercentMeter(HWND control, int percent) {
    if (control == nullptr || percent <= shownPercent(control))
        return;
    char text[16];
    std::snprintf(text, sizeof text, "%d%%", percent > 100 ? 100 : percent);
    SetWindowTextA(control, text);
    InvalidateRect(control, nullptr, FALSE);
    UpdateWindow(control);
}
