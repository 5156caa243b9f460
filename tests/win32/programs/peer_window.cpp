// A small program for the cross-process tests: a window with a list box of
// known lines and a button that ends the program with exit code 7.
#include <windows.h>

#include <initializer_list>

namespace {

constexpr int kListId = 100;
constexpr int kButtonId = 1;

LRESULT CALLBACK peerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == kButtonId)
            PostQuitMessage(7);
        return 0;
    case WM_CLOSE:
        PostQuitMessage(3);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = peerProc;
    wc.hInstance = instance;
    wc.lpszClassName = "KorbPeerWindow";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassA(&wc);
    HWND window = CreateWindowA("KorbPeerWindow", "Peer \xfc", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 250,
                                nullptr, nullptr, instance, nullptr);
    HWND list = CreateWindowA("LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_EXTENDEDSEL, 10, 10, 200, 120,
                              window, reinterpret_cast<HMENU>(kListId), instance, nullptr);
    for (const char* line : {"eins",
                             "gr\xf6\xdf"
                             "e.txt",
                             "Tab\tzwei"})
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
    SendMessageA(list, LB_SETSEL, TRUE, 1);
    CreateWindowA("BUTTON", "OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 140, 80, 25, window,
                  reinterpret_cast<HMENU>(kButtonId), instance, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
