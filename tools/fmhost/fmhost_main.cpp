// Entry of fmhost.exe: reads the command line, opens the frame, runs the message loop.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "tools/fmhost/frame.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    fmhost::Options options;
    std::string error;
    if (!fmhost::parseOptions(__argc, __argv, options, error)) {
        MessageBoxA(nullptr, error.c_str(), "fmhost", MB_OK | MB_ICONSTOP);
        return 2;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    static fmhost::Frame frame;
    if (!frame.create(instance, options, show)) {
        MessageBoxA(nullptr, "fmhost cannot create its window.", "fmhost", MB_OK | MB_ICONSTOP);
        return 1;
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (frame.preTranslate(msg))
            continue;
        if (TranslateAcceleratorA(frame.window(), frame.accelerators(), &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
