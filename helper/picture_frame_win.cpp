// Painting a bitmap into a frame control through a window subclass.
#include "helper/picture_frame_win.h"

#include <commctrl.h>

#include "common/filetools/walk_win.h"

namespace helper {

namespace {

LRESULT CALLBACK paintPicture(HWND frame, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data) {
    auto bitmap = reinterpret_cast<HBITMAP>(data);
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(frame, &paint);
        RECT client;
        GetClientRect(frame, &client);
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BITMAP info{};
        GetObjectA(bitmap, sizeof info, &info);
        const int width = info.bmWidth < client.right ? info.bmWidth : client.right;
        const int height = info.bmHeight < client.bottom ? info.bmHeight : client.bottom;
        BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
        EndPaint(frame, &paint);
        return 0;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(frame, paintPicture, id);
        DeleteObject(bitmap);
    }
    return DefSubclassProc(frame, message, wParam, lParam);
}

} // namespace

void showPicture(HWND dialog, int frameId, int bitmapId) {
    HWND frame = GetDlgItem(dialog, frameId);
    auto bitmap = static_cast<HBITMAP>(
        LoadImageA(filetools::resourceModule(), MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    if (frame == nullptr || bitmap == nullptr)
        return;
    SetWindowSubclass(frame, paintPicture, static_cast<UINT_PTR>(bitmapId), reinterpret_cast<DWORD_PTR>(bitmap));
    InvalidateRect(frame, nullptr, TRUE);
}

} // namespace helper
